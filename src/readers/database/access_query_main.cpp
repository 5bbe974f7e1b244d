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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/write_all.h"
#include "readers/database/access_query_arguments.h"
#include "readers/database/access_query_fields.h"
#include "readers/database/access_query_output.h"

namespace {

constexpr rlim_t kAddressSpaceLimit = rlim_t{1} << 30;
constexpr const char* kDatabasePath = "/proc/self/fd/0";

// The rows go out on a private copy of standard output: mdbtools prints to
// standard output on some errors, which must not mix into the rows.
int rowsFd = -1;

bool MoveRowsOffStandardOutput() {
  rowsFd = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
  return rowsFd >= 0 && ::dup2(STDERR_FILENO, STDOUT_FILENO) >= 0;
}

bool WriteRows(std::string_view bytes) { return platform::WriteAll(rowsFd, bytes); }

// The names of the result's columns, in their order.
std::vector<std::string> ColumnNames(const MdbSQL* sql) {
  std::vector<std::string> names;
  for (unsigned position = 0; position < sql->num_columns; ++position) {
    names.emplace_back(
        static_cast<const MdbSQLColumn*>(g_ptr_array_index(sql->columns, position))->name);
  }
  return names;
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
  AccessQueryOutput output(WriteRows);
  if (::access(kDatabasePath, R_OK) != 0) {
    return output.Fail(std::string("cannot reopen the database as ") + kDatabasePath);
  }
  std::string path = kDatabasePath;
  if (!mdb_sql_open(sql, path.data())) {
    return output.Fail(std::string("not an Access database: ") + mdb_sql_last_error(sql));
  }
  if (!mdb_sql_run_query(sql, query.c_str()) || mdb_sql_has_error(sql) || !sql->cur_table) {
    return output.Fail(std::string("query failed: ") + mdb_sql_last_error(sql));
  }
  const AccessFieldMatch match = MatchAccessFields(ColumnNames(sql), fields);
  if (match.missing) return output.Fail("no field " + *match.missing);
  AccessRow row(fields.size());
  while (mdb_sql_fetch_row(sql, sql->cur_table)) {
    for (std::size_t i = 0; i < match.columns.size(); ++i) {
      row[i] = static_cast<const char*>(g_ptr_array_index(sql->bound_values, match.columns[i]));
    }
    if (!output.Row(row)) return EXIT_FAILURE;
  }
  return output.End() ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  EndWithParent();
  LimitResources();
  if (!MoveRowsOffStandardOutput()) return EXIT_FAILURE;
  const std::optional<AccessQueryArguments> arguments =
      ParseAccessQueryArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!arguments) {
    std::fputs(kAccessQueryUsage, stderr);
    return 2;
  }
  if (arguments->jet3Charset) ::setenv("MDB_JET3_CHARSET", arguments->jet3Charset->c_str(), 1);
  MdbSQL* sql = mdb_sql_init();
  const int status = RunQuery(sql, arguments->sql, arguments->fields);
  mdb_sql_exit(sql);
  return status;
}
