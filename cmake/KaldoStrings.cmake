# kaldo_add_string_tables(TARGET PREFIX [FOLDER DIR] [LANGUAGES LANG ...]): compiles the Qt
# Linguist files DIR/<language>.ts (default: the calling folder's strings/, all 14 languages)
# into TARGET as resources under PREFIX.
function(kaldo_add_string_tables target prefix)
  cmake_parse_arguments(ARG "" "FOLDER" "LANGUAGES" ${ARGN})
  if(NOT ARG_FOLDER)
    set(ARG_FOLDER ${CMAKE_CURRENT_SOURCE_DIR}/strings)
  endif()
  if(NOT ARG_LANGUAGES)
    set(ARG_LANGUAGES da de en es fr it ja ko nl pt_BR ru sv zh_CN zh_TW)
  endif()
  set(tables ${ARG_LANGUAGES})
  list(TRANSFORM tables PREPEND ${ARG_FOLDER}/)
  list(TRANSFORM tables APPEND .ts)
  qt_add_lrelease(${target}
    TS_FILES ${tables}
    OPTIONS -silent
    QM_FILES_OUTPUT_VARIABLE compiled_tables)
  qt_add_resources(${target} ${target}_strings
    PREFIX ${prefix}
    BASE ${CMAKE_CURRENT_BINARY_DIR}
    FILES ${compiled_tables})
endfunction()
