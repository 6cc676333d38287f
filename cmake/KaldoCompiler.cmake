# Warnings and sanitizers for our own targets only; third-party headers come in as
# system includes and stay quiet.
add_library(kaldo_options INTERFACE)
target_compile_options(kaldo_options INTERFACE -Wall -Wextra)

if(KALDO_SANITIZE AND KALDO_TSAN)
  message(FATAL_ERROR "KALDO_SANITIZE and KALDO_TSAN cannot be combined")
endif()
if(KALDO_SANITIZE)
  # Every report ends the program, so a test that triggers one fails.
  target_compile_options(kaldo_options INTERFACE -fsanitize=address,undefined
                                                 -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(kaldo_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
if(KALDO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KALDO_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
  endif()
  # The libraries are instrumented for coverage; only the targets link the fuzzer's main.
  target_compile_options(kaldo_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                 -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(kaldo_options INTERFACE -fsanitize=address,undefined)
endif()
if(KALDO_TSAN)
  target_compile_options(kaldo_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(kaldo_options INTERFACE -fsanitize=thread)
endif()

# kaldo_add_library(NAME SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# A static library whose headers are included as "folder/Header.h" from the source root.
function(kaldo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE kaldo_options ${ARG_PRIVATE_LIBS})
endfunction()

# Installed programs find libktwnutil beside themselves, wherever the folder is installed or
# copied: the package and the distribution folder carry no build-folder path. Built programs
# keep the build folder's path as well, so that tests may copy them anywhere.
set(CMAKE_INSTALL_RPATH "$ORIGIN")
# Built programs and tests load the download module from here.
set(KALDO_MODULE_FOLDER "${PROJECT_BINARY_DIR}/modules")
set(CMAKE_BUILD_RPATH "${KALDO_MODULE_FOLDER}")
