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

  // Opens for reading and writing, creating an empty database where the path
  // (UTF-8) names no file; read-only when writing is refused.
  void open(const char* path);
  // Opens an existing file for reading only; never creates or changes it.
  void openReadOnly(const char* path);
  // How long statements wait for another process's lock; takes effect at once
  // on an open connection and on every later open.
  void setBusyTimeout(int milliseconds);
  // Closes the connection if one is open; never throws.
  void close();

  // Runs one SELECT and gives its result positioned on the first row.
  [[nodiscard]] CppSQLite3Query query(const char* sql);

 private:
  void openWith(const char* path, int flags);
  [[nodiscard]] sqlite3_stmt* prepare(const char* sql);

  sqlite3* handle_ = nullptr;
  // How long a statement waits for another process's lock before SQLITE_BUSY.
  int busyTimeoutMs_ = 60000;
};
