// Opening the database through whichever Access ODBC driver this machine has.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "readers/database/access_query_odbc_handle.h"

namespace access_odbc {

struct DriverAttempt {
  std::wstring driver;
  // The connection string, wide for Windows drivers. For the Unix driver
  // under Wine it is narrow instead: unixODBC narrows a wide string for a
  // narrow driver by dropping each character's high byte, which spoils every
  // non-ASCII file name, while a narrow one reaches the driver as it is.
  std::wstring wide;
  std::string narrow;
};

struct DriverAttempts {
  std::vector<DriverAttempt> attempts;
  std::string unusable;  // why a driver could not be given the file, when one could not
};

// The drivers to try, in order: Microsoft's two names for its Access driver
// (the newer one also reads .accdb), and under Wine last the MDBTools driver,
// which is given the file's Unix name.
[[nodiscard]] DriverAttempts AccessDriverAttempts(const std::wstring& windowsPath, bool underWine);

// "KEY=value;", the value in braces when it holds what would end or quote it.
[[nodiscard]] std::wstring ConnectionAttribute(std::wstring_view key, std::wstring_view value);

struct AccessConnection {
  OdbcHandle environment;
  OdbcHandle connection;  // empty when no driver opened the database
  std::string error;      // then what each driver said, in UTF-8
};

[[nodiscard]] AccessConnection ConnectToAccess(const DriverAttempts& attempts);

}  // namespace access_odbc
