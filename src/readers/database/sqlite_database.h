// A connection to one SQLite database file, for running SELECTs.
#pragma once

#include <sqlite3.h>

#include "readers/database/sqlite_query.h"

class CppSQLite3DB {
 public:
  CppSQLite3DB() = default;
  CppSQLite3DB(const CppSQLite3DB&) = delete;
  CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
  virtual ~CppSQLite3DB();

  // Opens an existing file (the path's bytes as the system takes them) for
  // reading only; never creates or changes it. Statements wait up to
  // busyTimeoutMs for another process's lock before SQLITE_BUSY.
  void openReadOnly(const char* path, int busyTimeoutMs);
  // Closes the connection if one is open; never throws.
  void close();

  // Runs one SELECT and gives its result positioned on the first row.
  [[nodiscard]] CppSQLite3Query query(const char* sql);

 private:
  [[nodiscard]] sqlite3_stmt* prepare(const char* sql);

  sqlite3* handle_ = nullptr;
};
