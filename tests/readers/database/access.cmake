# The Access reader and zembrix-access-query, with the real Access files when present.
set(ZEMBRIX_ACCESS_TESTDATA ${PROJECT_SOURCE_DIR}/../shared/testdata/access CACHE PATH
  "Folder with the real Access files the tests read (skipped when missing)")

# The record stream, and what every build of zembrix-access-query shares.
zembrix_test(access_query_common_test
  access_row_stream_test.cpp
  access_query_common_test.cpp
  LIBS zembrix_access_query_common)

if(WIN32)
  # The ODBC build of the query process, run from beside it as the reader runs it.
  zembrix_test(access_query_odbc_test access_query_odbc_test.cpp LIBS zembrix_access_query_odbc)
  set_target_properties(access_query_odbc_test PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  target_compile_definitions(access_query_odbc_test PRIVATE
    ZEMBRIX_ACCESS_TESTDATA="${ZEMBRIX_TEST_PATH_PREFIX}${ZEMBRIX_ACCESS_TESTDATA}")
  add_dependencies(access_query_odbc_test zembrix-access-query)
  return()  # the reader tests below make their fixtures with the Jet 4 writer, which needs mdbtools
endif()

# Runs beside zembrix-access-query, where the reader looks for it.
zembrix_test(access_reader_test
  access_query_process_test.cpp
  access_reader_test.cpp
  LIBS zembrix_golden_support)
set_target_properties(access_reader_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
target_compile_definitions(access_reader_test PRIVATE
  ZEMBRIX_ACCESS_TESTDATA="${ZEMBRIX_ACCESS_TESTDATA}"
  ZEMBRIX_MAKE_JET4_DATABASE="$<TARGET_FILE:make-jet4-database>")
add_dependencies(access_reader_test zembrix-cli make-jet4-database)
