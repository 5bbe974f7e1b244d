// A connection to one SQLite database file, for running SELECTs.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <optional>

#include "readers/database/sqlite_query.h"

class CppSQLite3DB {
 public:
  CppSQLite3DB() = default;
  CppSQLite3DB(const CppSQLite3DB&) = delete;
  CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
  virtual ~CppSQLite3DB();

  // Opens an existing file (the path's bytes as the system takes them) for
  // reading only; never creates or changes it. Statements wait up to
  // busyTimeoutMs for another process's lock before SQLITE_BUSY. With a time
  // limit, a statement still running once that much time has passed since
  // the open, not counting the waits for locks, stops with SQLITE_INTERRUPT.
  void openReadOnly(const char* path, int busyTimeoutMs,
                    std::optional<std::chrono::milliseconds> timeLimit = std::nullopt);
  // Closes the connection if one is open; never throws.
  void close();

  // True once a statement was stopped for running past the time limit.
  [[nodiscard]] bool timeLimitReached() const { return timeLimitReached_; }

  // Runs one SELECT and gives its result positioned on the first row.
  [[nodiscard]] CppSQLite3Query query(const char* sql);

 private:
  using Clock = std::chrono::steady_clock;

  [[nodiscard]] sqlite3_stmt* prepare(const char* sql);
  // SQLite's busy and progress callbacks; self is the connection.
  static int waitForLock(void* self, int attempt);
  static int stopPastTimeLimit(void* self);

  sqlite3* handle_ = nullptr;
  std::chrono::milliseconds busyTimeout_{0};
  std::optional<Clock::duration> timeLimit_;
  Clock::time_point opened_{};
  Clock::time_point lockWaitStarted_{};
  Clock::duration lockWaits_{0};  // time slept for other processes' locks
  bool timeLimitReached_ = false;
};
