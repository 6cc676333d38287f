include(GoogleTest)

# kaldo_add_test(NAME SOURCES ... [LIBS ...] [ENVIRONMENT VAR=VALUE ...] [LABELS ...] [TIMEOUT s]
#                [FIXTURES_REQUIRED fixture ...] [RESOURCE_LOCK resource ...])
# One test executable per module; its cases are registered with CTest one by one.
function(kaldo_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;LABELS;FIXTURES_REQUIRED;RESOURCE_LOCK" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE kaldo_options ${ARG_LIBS} kaldo_testsupport GTest::gtest GTest::gmock
                                        GTest::gtest_main)
  # Without window tests the executable stays defined (folders add properties to it) but is
  # neither built nor registered.
  if(NOT KALDO_GUI_TESTS AND "gui" IN_LIST ARG_LABELS)
    set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT})

  # Discovery passes each list element of a property on as a value of its own, so the
  # environment and labels (lists) are set on the discovered cases by a script of our own
  # that CTest reads after the list of cases.
  set(environment "QT_QPA_PLATFORM=offscreen" ${ARG_ENVIRONMENT})
  # Web engine instances start one at a time: each brings up its own browser processes.
  # Cases that share a machine-wide service (the DNS-SD daemon) lock it.
  set(locks ${ARG_RESOURCE_LOCK})
  if("gui" IN_LIST ARG_LABELS)
    list(APPEND locks webengine)
  endif()
  set(extra "")
  if(locks)
    string(APPEND extra " RESOURCE_LOCK \"${locks}\"")
  endif()
  if(ARG_FIXTURES_REQUIRED)
    string(APPEND extra " FIXTURES_REQUIRED \"${ARG_FIXTURES_REQUIRED}\"")
  endif()
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(GENERATE OUTPUT "${script}" CONTENT
"foreach(test IN LISTS ${name}_TESTS)
  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT \"${environment}\" LABELS \"${ARG_LABELS}\" ${extra})
endforeach()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
