// The one exception type of the SQLite wrapper: an error code and its message.
#pragma once

#include <stdexcept>
#include <string>

class CppSQLite3Exception : public std::runtime_error {
 public:
  // Code 1000 marks the wrapper's own checks; other codes are SQLite's.
  static constexpr int kWrapperError = 1000;

  // The message reads "NAME[code]: detail".
  CppSQLite3Exception(int code, const char* detail);

  [[nodiscard]] int code() const { return code_; }
  [[nodiscard]] const char* message() const { return what(); }

  // SQLite's name for the codes 0 to 25, 100 and 101, "CPPSQLITE_ERROR" for
  // 1000 and "UNKNOWN_ERROR" for every other code.
  [[nodiscard]] static const char* codeName(int code);

 private:
  int code_;
};
