// zembrix-access-query for Windows: runs one query on the Access database
// open as its standard input, through the Access ODBC driver, and writes the
// rows to standard output for the Access reader.
//
//   zembrix-access-query.exe [--jet3-charset NAME] SQL FIELD... < DATABASE
//
// --jet3-charset is taken and ignored: the Microsoft drivers read the code
// page a Jet 3 file names itself, and under Wine MDBTools reads
// MDB_JET3_CHARSET from the Unix environment Wine started with, which this
// process cannot change.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/database/access_query_arguments.h"
#include "readers/database/access_query_odbc_connect.h"
#include "readers/database/access_query_odbc_database_path.h"
#include "readers/database/access_query_odbc_rows.h"
#include "readers/database/access_query_odbc_text.h"
#include "readers/database/access_query_odbc_wine.h"
#include "readers/database/access_query_output.h"

namespace {

// Written with WriteFile, not the C runtime: no text mode can touch the bytes.
bool WriteRows(std::string_view bytes) {
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == INVALID_HANDLE_VALUE || output == nullptr) return false;
  while (!bytes.empty()) {
    const DWORD size = bytes.size() < (DWORD{1} << 30) ? static_cast<DWORD>(bytes.size())
                                                       : (DWORD{1} << 30);
    DWORD written = 0;
    if (!::WriteFile(output, bytes.data(), size, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A driver that crashes on a damaged file ends the process at once, the
// exception code its exit status: no error box, and under Wine no debugger.
LONG WINAPI EndAtOnce(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

int RunQuery(const AccessQueryArguments& arguments) {
  AccessQueryOutput output(WriteRows);
  const access_odbc::DatabasePath database = access_odbc::StandardInputDatabasePath();
  if (database.windowsPath.empty()) {
    return output.Fail("standard input is not a file with a name (error " +
                       std::to_string(database.error) + ")");
  }
  const access_odbc::AccessConnection connection = access_odbc::ConnectToAccess(
      access_odbc::AccessDriverAttempts(database.windowsPath, access_odbc::RunningUnderWine()));
  if (!connection.connection) return output.Fail("not an Access database: " + connection.error);
  return access_odbc::WriteQueryRows(connection.connection, arguments.sql, arguments.fields,
                                     output);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // A damaged file or a missing drive must end in an error, never in a
  // dialog that waits for a user nobody sees.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  ::SetUnhandledExceptionFilter(EndAtOnce);
  std::vector<std::string> utf8Arguments;
  for (int i = 1; i < argc; ++i) utf8Arguments.push_back(access_odbc::ToUtf8(argv[i]));
  const std::optional<AccessQueryArguments> arguments =
      ParseAccessQueryArguments(std::move(utf8Arguments));
  if (!arguments) {
    std::fputs(kAccessQueryUsage, stderr);
    return 2;
  }
  return RunQuery(*arguments);
}
