# The Access reader and the process that runs its queries through mdbtools.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MDBTOOLS REQUIRED IMPORTED_TARGET libmdbsql libmdb)

set(ZEMBRIX_LIBEXEC_SUBDIR ${CMAKE_INSTALL_LIBEXECDIR}/zembrix)

add_library(zembrix_access_rows STATIC access_row_stream.cpp)
target_link_libraries(zembrix_access_rows PUBLIC zembrix_core)

add_executable(zembrix-access-query access_query_main.cpp)
target_link_libraries(zembrix-access-query PRIVATE zembrix_access_rows PkgConfig::MDBTOOLS)
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
