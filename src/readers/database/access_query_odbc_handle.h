// An ODBC handle that frees itself, and the driver's words on what failed.
#pragma once

#include <windows.h>
// sql.h needs the Windows types first.
#include <sql.h>

#include <string>

namespace access_odbc {

class OdbcHandle {
 public:
  OdbcHandle() = default;
  // A new handle of `type` under `parent`; empty when the driver manager refuses.
  OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
  ~OdbcHandle();
  OdbcHandle(OdbcHandle&& other) noexcept;
  OdbcHandle& operator=(OdbcHandle&& other) noexcept;
  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;

  explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }
  SQLHANDLE get() const { return handle_; }
  SQLSMALLINT type() const { return type_; }

 private:
  void Free();

  SQLSMALLINT type_ = 0;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// "[SQLSTATE] message" for the first few diagnostic records, in UTF-8.
[[nodiscard]] std::string Diagnostics(const OdbcHandle& handle);

}  // namespace access_odbc
