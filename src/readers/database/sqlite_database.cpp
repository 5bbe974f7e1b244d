// Opening, querying and closing an SQLite database.
#include "readers/database/sqlite_database.h"

#include "readers/database/sqlite_exception.h"

namespace {

constexpr char kNotOpen[] = "Database not open";

}  // namespace

CppSQLite3DB::~CppSQLite3DB() { close(); }

void CppSQLite3DB::openReadOnly(const char* path, int busyTimeoutMs) {
  close();
  const int result = sqlite3_open_v2(path, &handle_, SQLITE_OPEN_READONLY, nullptr);
  if (result != SQLITE_OK) {
    // The failed connection stays in handle_ until close or destruction.
    const char* detail = sqlite3_errmsg(handle_);
    throw CppSQLite3Exception(result, detail ? detail : "");
  }
  sqlite3_busy_timeout(handle_, busyTimeoutMs);
}

void CppSQLite3DB::close() {
  if (!handle_) return;
  sqlite3_close(handle_);
  handle_ = nullptr;
}

sqlite3_stmt* CppSQLite3DB::prepare(const char* sql) {
  if (!handle_) throw CppSQLite3Exception(CppSQLite3Exception::kWrapperError, kNotOpen);
  sqlite3_stmt* statement = nullptr;
  // Only the first statement of the text is prepared; the rest is ignored.
  const int result = sqlite3_prepare(handle_, sql, -1, &statement, nullptr);
  if (result != SQLITE_OK) throw CppSQLite3Exception(result, "");
  return statement;
}

CppSQLite3Query CppSQLite3DB::query(const char* sql) {
  if (!handle_) throw CppSQLite3Exception(CppSQLite3Exception::kWrapperError, kNotOpen);
  sqlite3_stmt* statement = prepare(sql);
  const int result = sqlite3_step(statement);
  if (result == SQLITE_DONE || result == SQLITE_ROW) {
    return CppSQLite3Query(handle_, statement, result == SQLITE_DONE);
  }
  // With the legacy prepare the step says only "error"; finalize tells which.
  const int code = sqlite3_finalize(statement);
  throw CppSQLite3Exception(code, sqlite3_errmsg(handle_));
}
