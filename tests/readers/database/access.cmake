set(ZEMBRIX_ACCESS_TESTDATA ${PROJECT_SOURCE_DIR}/../shared/testdata/access CACHE PATH
  "Folder with the real Access files the tests read (skipped when missing)")

# Runs beside zembrix-access-query, where the reader looks for it.
zembrix_test(access_reader_test
  access_row_stream_test.cpp
  access_query_process_test.cpp
  access_reader_test.cpp
  LIBS zembrix_golden_support)
set_target_properties(access_reader_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
target_compile_definitions(access_reader_test PRIVATE
  ZEMBRIX_ACCESS_TESTDATA="${ZEMBRIX_ACCESS_TESTDATA}"
  ZEMBRIX_MAKE_JET4_DATABASE="$<TARGET_FILE:make-jet4-database>")
add_dependencies(access_reader_test zembrix-cli make-jet4-database)
