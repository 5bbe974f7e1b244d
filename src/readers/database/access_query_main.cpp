// zembrix-access-query: runs one query on the Access database open as its
// standard input and writes the rows to standard output for the Access reader.
//
//   zembrix-access-query [--jet3-charset NAME] SQL FIELD... < DATABASE
//
// mdbtools is not hardened against damaged files; the reader runs this in a
// process of its own so that a crash or a hang here costs only this process.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

// mdbtools.h includes glib.h inside extern "C", where glib's C++ parts do not
// compile; included first, glib is already there when mdbtools asks for it.
#include <glib.h>
#include <mdbsql.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/ascii.h"
#include "platform/posix/write_all.h"
#include "readers/database/access_row_stream.h"

namespace {

constexpr rlim_t kAddressSpaceLimit = rlim_t{1} << 30;
constexpr std::size_t kFlushSize = 1 << 16;
constexpr const char* kDatabasePath = "/proc/self/fd/0";

// The rows go out on a private copy of standard output: mdbtools prints to
// standard output on some errors, which must not mix into the rows.
int rowsFd = -1;

bool MoveRowsOffStandardOutput() {
  rowsFd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
  return rowsFd >= 0 && ::dup2(STDERR_FILENO, STDOUT_FILENO) >= 0;
}

bool WriteAll(std::string& buffer) {
  if (!platform::WriteAll(rowsFd, buffer)) return false;
  buffer.clear();
  return true;
}

int Fail(std::string& buffer, std::string_view message) {
  const std::size_t end = message.find_last_not_of(" \t\r\n");
  AppendAccessError(buffer, message.substr(0, end == std::string_view::npos ? 0 : end + 1));
  WriteAll(buffer);
  return EXIT_FAILURE;
}

// The position of a result column by name, as Access matches names; the
// column count when there is none.
unsigned FindColumn(const MdbSQL* sql, std::string_view name) {
  unsigned position = 0;
  while (position < sql->num_columns) {
    const auto* column =
        static_cast<const MdbSQLColumn*>(g_ptr_array_index(sql->columns, position));
    if (EqualsIgnoringAsciiCase(column->name, name)) break;
    ++position;
  }
  return position;
}

// A query on a damaged file can run long; it must not run on for no one when
// whatever started this process dies (the reader arranges that itself, but
// this process may be started by something else).
void EndWithParent() {
#if defined(__linux__)
  const pid_t parent = ::getppid();
  if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) return;
  // A parent that died before the prctl no longer sends the signal. A parent
  // id of 1 at the start proves nothing: init may well have started us.
  if (::getppid() != parent) ::_exit(EXIT_FAILURE);
#endif
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

// A damaged file must not take the machine's memory or leave core files.
// AddressSanitizer reserves terabytes of address space for itself, so a
// sanitizer build keeps only the core file limit.
void LimitResources() {
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  if (kAddressSanitizer) return;
  const rlimit memory{kAddressSpaceLimit, kAddressSpaceLimit};
  ::setrlimit(RLIMIT_AS, &memory);
}

int RunQuery(MdbSQL* sql, const std::string& query, const std::vector<std::string>& fields) {
  std::string buffer;
  if (::access(kDatabasePath, R_OK) != 0) {
    return Fail(buffer, std::string("cannot reopen the database as ") + kDatabasePath);
  }
  std::string path = kDatabasePath;
  if (!mdb_sql_open(sql, path.data())) {
    return Fail(buffer, std::string("not an Access database: ") + mdb_sql_last_error(sql));
  }
  if (!mdb_sql_run_query(sql, query.c_str()) || mdb_sql_has_error(sql) || !sql->cur_table) {
    return Fail(buffer, std::string("query failed: ") + mdb_sql_last_error(sql));
  }
  std::vector<unsigned> positions;
  for (const std::string& field : fields) {
    const unsigned position = FindColumn(sql, field);
    if (position == sql->num_columns) return Fail(buffer, "no field " + field);
    positions.push_back(position);
  }
  AccessRow row(fields.size());
  while (mdb_sql_fetch_row(sql, sql->cur_table)) {
    for (std::size_t i = 0; i < positions.size(); ++i) {
      row[i] = static_cast<const char*>(g_ptr_array_index(sql->bound_values, positions[i]));
    }
    AppendAccessRow(buffer, row);
    if (buffer.size() >= kFlushSize && !WriteAll(buffer)) return EXIT_FAILURE;
  }
  AppendAccessEnd(buffer);
  return WriteAll(buffer) ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  EndWithParent();
  LimitResources();
  if (!MoveRowsOffStandardOutput()) return EXIT_FAILURE;
  std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() >= 2 && arguments[0] == "--jet3-charset") {
    ::setenv("MDB_JET3_CHARSET", arguments[1].c_str(), 1);
    arguments.erase(arguments.begin(), arguments.begin() + 2);
  }
  if (arguments.size() < 2) {
    std::fputs("usage: zembrix-access-query [--jet3-charset NAME] SQL FIELD... < DATABASE\n",
               stderr);
    return 2;
  }
  const std::vector<std::string> fields(arguments.begin() + 1, arguments.end());
  MdbSQL* sql = mdb_sql_init();
  const int status = RunQuery(sql, arguments[0], fields);
  mdb_sql_exit(sql);
  return status;
}
