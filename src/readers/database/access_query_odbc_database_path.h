// The file name of the database the parent hands over as standard input.
#pragma once

#include <string>

namespace access_odbc {

struct DatabasePath {
  std::wstring windowsPath;  // without the \\?\ prefix, which the Access drivers do not take
  unsigned long error = 0;   // the system's error number when there is no path
};

// Works for a file handle a Windows parent passed down. Under Wine a standard
// input that the Unix shell redirected has no Windows name and gives an error.
[[nodiscard]] DatabasePath StandardInputDatabasePath();

// `path` as GetFinalPathNameByHandleW writes it, in the form drivers take.
[[nodiscard]] std::wstring WithoutLongPathPrefix(std::wstring path);

}  // namespace access_odbc
