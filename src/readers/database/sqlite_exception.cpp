// Formatting and naming the wrapper's error codes.
#include "readers/database/sqlite_exception.h"

#include <sqlite3.h>

#include <array>

namespace {

constexpr std::array<const char*, 26> kResultNames = {
    "SQLITE_OK",       "SQLITE_ERROR",     "SQLITE_INTERNAL",   "SQLITE_PERM",
    "SQLITE_ABORT",    "SQLITE_BUSY",      "SQLITE_LOCKED",     "SQLITE_NOMEM",
    "SQLITE_READONLY", "SQLITE_INTERRUPT", "SQLITE_IOERR",      "SQLITE_CORRUPT",
    "SQLITE_NOTFOUND", "SQLITE_FULL",      "SQLITE_CANTOPEN",   "SQLITE_PROTOCOL",
    "SQLITE_EMPTY",    "SQLITE_SCHEMA",    "SQLITE_TOOBIG",     "SQLITE_CONSTRAINT",
    "SQLITE_MISMATCH", "SQLITE_MISUSE",    "SQLITE_NOLFS",      "SQLITE_AUTH",
    "SQLITE_FORMAT",   "SQLITE_RANGE",
};

}  // namespace

CppSQLite3Exception::CppSQLite3Exception(int code, const char* detail)
    : std::runtime_error(std::string(codeName(code)) + "[" + std::to_string(code) +
                         "]: " + (detail ? detail : "")),
      code_(code) {}

const char* CppSQLite3Exception::codeName(int code) {
  if (code >= 0 && code < static_cast<int>(kResultNames.size())) return kResultNames[code];
  switch (code) {
    case SQLITE_ROW: return "SQLITE_ROW";
    case SQLITE_DONE: return "SQLITE_DONE";
    case kWrapperError: return "CPPSQLITE_ERROR";
    default: return "UNKNOWN_ERROR";
  }
}
