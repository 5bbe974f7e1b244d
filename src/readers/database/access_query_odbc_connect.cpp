// SQLDriverConnect below is the narrow call: every wide call here is named as such.
#define SQL_NOUNICODEMAP

#include "readers/database/access_query_odbc_connect.h"

#include <sqlext.h>

#include <optional>

#include "readers/database/access_query_odbc_text.h"
#include "readers/database/access_query_odbc_wine.h"

namespace access_odbc {

namespace {

constexpr const wchar_t* kMicrosoftDrivers[] = {
    L"Microsoft Access Driver (*.mdb, *.accdb)",
    L"Microsoft Access Driver (*.mdb)",
};
constexpr const wchar_t* kWineDriver = L"MDBTools";

// The MDBTools driver takes DBQ up to the next ';' and knows no braces.
std::optional<std::string> MdbToolsConnectionString(const std::string& unixName) {
  if (unixName.find(';') != std::string::npos) return std::nullopt;
  return "DRIVER={MDBTools};DBQ=" + unixName + ";";
}

SQLRETURN Connect(const OdbcHandle& connection, const DriverAttempt& attempt) {
  // No output connection string: the MDBTools driver never fills one in,
  // and the driver manager then copies whatever was in memory into it.
  if (!attempt.narrow.empty()) {
    std::string in = attempt.narrow;
    return ::SQLDriverConnect(connection.get(), nullptr, reinterpret_cast<SQLCHAR*>(in.data()),
                              SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  }
  std::wstring in = attempt.wide;
  return ::SQLDriverConnectW(connection.get(), nullptr, reinterpret_cast<SQLWCHAR*>(in.data()),
                             SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
}

}  // namespace

std::wstring ConnectionAttribute(std::wstring_view key, std::wstring_view value) {
  std::wstring attribute(key);
  attribute += L'=';
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  // Drivers drop blanks around a bare value.
  const bool quote = value.find_first_of(L";{}") != std::wstring_view::npos ||
                     (!value.empty() && (blank(value.front()) || blank(value.back())));
  if (!quote) return attribute.append(value) + L';';
  attribute += L'{';
  for (const wchar_t c : value) {
    attribute += c;
    if (c == L'}') attribute += L'}';
  }
  return attribute + L"};";
}

DriverAttempts AccessDriverAttempts(const std::wstring& windowsPath, bool underWine) {
  DriverAttempts result;
  for (const wchar_t* driver : kMicrosoftDrivers) {
    result.attempts.push_back({driver,
                               ConnectionAttribute(L"DRIVER", driver) +
                                   ConnectionAttribute(L"DBQ", windowsPath) + L"ReadOnly=1;",
                               {}});
  }
  if (!underWine) return result;
  const std::optional<std::string> unixName = WineUnixFileName(windowsPath);
  const std::optional<std::string> connection =
      unixName ? MdbToolsConnectionString(*unixName) : std::nullopt;
  if (connection) {
    result.attempts.push_back({kWineDriver, {}, *connection});
  } else {
    result.unusable = ToUtf8(kWineDriver) + (unixName ? ": a file name with ';' cannot be given"
                                                      : ": the file has no Unix name");
  }
  return result;
}

AccessConnection ConnectToAccess(const DriverAttempts& attempts) {
  AccessConnection result;
  result.environment = OdbcHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
  if (!result.environment) {
    result.error = "no ODBC driver manager";
    return result;
  }
  if (!SQL_SUCCEEDED(::SQLSetEnvAttr(result.environment.get(), SQL_ATTR_ODBC_VERSION,
                                     reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
    result.error = "ODBC 3 refused: " + Diagnostics(result.environment);
    return result;
  }
  std::vector<std::string> failures;
  for (const DriverAttempt& attempt : attempts.attempts) {
    OdbcHandle connection(SQL_HANDLE_DBC, result.environment.get());
    if (!connection) {
      result.error = "no ODBC connection handle: " + Diagnostics(result.environment);
      return result;
    }
    if (SQL_SUCCEEDED(Connect(connection, attempt))) {
      result.connection = std::move(connection);
      return result;
    }
    // On to the next driver whatever the state: a missing driver is IM002
    // on Windows but 01000 from unixODBC, and a driver that cannot read the
    // file may leave it to the next one.
    failures.push_back(ToUtf8(attempt.driver) + ": " + Diagnostics(connection));
  }
  if (!attempts.unusable.empty()) failures.push_back(attempts.unusable);
  // The last driver first: it is the one most likely to be installed, and
  // its reason the one that matters when the message is cut short.
  for (auto failure = failures.rbegin(); failure != failures.rend(); ++failure) {
    if (!result.error.empty()) result.error += "; ";
    result.error += *failure;
  }
  if (result.error.empty()) result.error = "no Access ODBC driver to try";
  return result;
}

}  // namespace access_odbc
