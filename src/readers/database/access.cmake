# The Access reader and the process that runs its queries: through mdbtools,
# or on Windows, which has no mdbtools, through the Access ODBC driver.
set(ZEMBRIX_LIBEXEC_SUBDIR ${CMAKE_INSTALL_LIBEXECDIR}/zembrix)

add_library(zembrix_access_rows STATIC access_row_stream.cpp)
target_link_libraries(zembrix_access_rows PUBLIC zembrix_core)

# What every build of zembrix-access-query shares: its command line, finding
# the fields, and writing the rows.
add_library(zembrix_access_query_common STATIC
  access_query_arguments.cpp
  access_query_fields.cpp
  access_query_output.cpp
)
target_link_libraries(zembrix_access_query_common PUBLIC zembrix_access_rows)

if(WIN32)
  add_library(zembrix_access_query_odbc STATIC
    access_query_odbc_connect.cpp
    access_query_odbc_database_path.cpp
    access_query_odbc_handle.cpp
    access_query_odbc_rows.cpp
    access_query_odbc_text.cpp
    access_query_odbc_wine.cpp
  )
  target_link_libraries(zembrix_access_query_odbc PUBLIC zembrix_access_query_common odbc32)

  zembrix_windows_resources(zembrix_access_query_resources zembrix-access-query.rc
    DEPENDS ../../platform/windows/console_program.manifest)
  # wmain: the arguments arrive as UTF-16 whatever the code page.
  add_executable(zembrix-access-query access_query_odbc_main.cpp)
  target_link_libraries(zembrix-access-query PRIVATE zembrix_access_query_odbc
                        zembrix_access_query_resources)
  target_compile_options(zembrix-access-query PRIVATE -municode)
  target_link_options(zembrix-access-query PRIVATE -municode -static -static-libgcc -static-libstdc++)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MDBTOOLS REQUIRED IMPORTED_TARGET libmdbsql libmdb)

  add_executable(zembrix-access-query access_query_main.cpp)
  target_link_libraries(zembrix-access-query PRIVATE zembrix_access_query_common PkgConfig::MDBTOOLS)
endif()
# Beside zembrix-cli, where the reader looks first.
set_target_properties(zembrix-access-query PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
install(TARGETS zembrix-access-query RUNTIME DESTINATION ${ZEMBRIX_LIBEXEC_SUBDIR})

add_library(zembrix_access_reader STATIC
  access_query_location.cpp
  access_query_process.cpp
  access_reader.cpp
)
target_link_libraries(zembrix_access_reader PUBLIC zembrix_core zembrix_access_rows)
target_compile_definitions(zembrix_access_reader PRIVATE
  ZEMBRIX_LIBEXEC_RELATIVE="${ZEMBRIX_LIBEXEC_SUBDIR}"
  ZEMBRIX_LIBEXEC_INSTALLED="${CMAKE_INSTALL_FULL_LIBEXECDIR}/zembrix")
# A program that links the reader needs the query executable built as well.
add_dependencies(zembrix_access_reader zembrix-access-query)
