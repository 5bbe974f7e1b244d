// Formatting, copying and naming the wrapper's error codes.
#include "readers/database/sqlite_exception.h"

#include <sqlite3.h>

#include <array>
#include <utility>

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

char* CopyMessage(const char* message) {
  return message ? sqlite3_mprintf("%s", message) : nullptr;
}

}  // namespace

CppSQLite3Exception::CppSQLite3Exception(int code, const char* detail)
    : code_(code), message_(sqlite3_mprintf("%s[%d]: %s", codeName(code), code,
                                            detail ? detail : "")) {}

CppSQLite3Exception::CppSQLite3Exception(const CppSQLite3Exception& other)
    : code_(other.code_), message_(CopyMessage(other.message_)) {}

CppSQLite3Exception& CppSQLite3Exception::operator=(const CppSQLite3Exception& other) {
  if (this != &other) {
    char* copy = CopyMessage(other.message_);
    sqlite3_free(std::exchange(message_, copy));
    code_ = other.code_;
  }
  return *this;
}

CppSQLite3Exception::~CppSQLite3Exception() { sqlite3_free(message_); }

const char* CppSQLite3Exception::codeName(int code) {
  if (code >= 0 && code < static_cast<int>(kResultNames.size())) return kResultNames[code];
  switch (code) {
    case SQLITE_ROW: return "SQLITE_ROW";
    case SQLITE_DONE: return "SQLITE_DONE";
    case kWrapperError: return "CPPSQLITE_ERROR";
    default: return "UNKNOWN_ERROR";
  }
}
