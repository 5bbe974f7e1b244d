// Runs the query on an open Access connection and writes the requested
// fields of every row.
#pragma once

#include <string>
#include <vector>

#include "readers/database/access_query_odbc_handle.h"
#include "readers/database/access_query_output.h"

namespace access_odbc {

// The exit status for the process: 0 when every row and the end mark went out.
[[nodiscard]] int WriteQueryRows(const OdbcHandle& connection, const std::string& sql,
                                 const std::vector<std::string>& fields,
                                 AccessQueryOutput& output);

}  // namespace access_odbc
