// Allocating and freeing ODBC handles, and gathering the driver's diagnostic records.
#include "readers/database/access_query_odbc_handle.h"

#include <sqlext.h>

#include <utility>

#include "readers/database/access_query_odbc_text.h"

namespace access_odbc {

namespace {

constexpr SQLSMALLINT kMostRecords = 3;

}  // namespace

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
  if (!SQL_SUCCEEDED(::SQLAllocHandle(type, parent, &handle_))) handle_ = SQL_NULL_HANDLE;
}

OdbcHandle::~OdbcHandle() { Free(); }

void OdbcHandle::Free() {
  if (handle_ == SQL_NULL_HANDLE) return;
  // A connection that is still open is not freed.
  if (type_ == SQL_HANDLE_DBC) ::SQLDisconnect(handle_);
  ::SQLFreeHandle(type_, handle_);
  handle_ = SQL_NULL_HANDLE;
}

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept {
  if (this != &other) {
    Free();
    type_ = other.type_;
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

std::string Diagnostics(const OdbcHandle& handle) {
  std::string text;
  for (SQLSMALLINT record = 1; handle && record <= kMostRecords; ++record) {
    SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLWCHAR message[SQL_MAX_MESSAGE_LENGTH] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN result = ::SQLGetDiagRecW(handle.type(), handle.get(), record, state, &native,
                                              message, SQL_MAX_MESSAGE_LENGTH, &length);
    if (!SQL_SUCCEEDED(result)) break;
    if (!text.empty()) text += ' ';
    // The MDBTools driver leaves the state empty.
    if (state[0] != 0) {
      text += '[';
      text += ToUtf8(reinterpret_cast<const wchar_t*>(state));
      text += "] ";
    }
    text += ToUtf8(reinterpret_cast<const wchar_t*>(message));
  }
  return text.empty() ? "the driver gave no reason" : text;
}

}  // namespace access_odbc
