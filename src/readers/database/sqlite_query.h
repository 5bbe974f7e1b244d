// The rows of one SELECT, read forward, values by column name.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

class CppSQLite3DB;

class CppSQLite3Query {
 public:
  // Holds no statement: endReached true, no columns, owns nothing.
  CppSQLite3Query() = default;
  // Taking a query hands its statement over; the source keeps none.
  CppSQLite3Query(CppSQLite3Query&& source) noexcept;
  CppSQLite3Query& operator=(CppSQLite3Query&& source) noexcept;
  CppSQLite3Query(const CppSQLite3Query&) = delete;
  CppSQLite3Query& operator=(const CppSQLite3Query&) = delete;
  // Finishes the statement; never throws.
  virtual ~CppSQLite3Query();

  // True when there is no current row.
  [[nodiscard]] bool atEnd() const;
  void advance();
  // Finalizes an owned statement; does nothing on a query that holds none.
  void finish();

  // The first result column with that name, ASCII letters compared without case.
  [[nodiscard]] int columnIndex(const char* name) const;
  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL.
  [[nodiscard]] int columnType(int index) const;
  // The current row's value as UTF-8; "" for SQL NULL. Valid until the next
  // advance or finish.
  [[nodiscard]] const char* textByName(const char* name) const;
  // The same by the column's position.
  [[nodiscard]] const char* textAt(int index) const;

 private:
  friend class CppSQLite3DB;
  CppSQLite3Query(sqlite3* db, sqlite3_stmt* statement, bool endReached);

  void takeFrom(CppSQLite3Query& source) noexcept;
  void checkStatement() const;

  sqlite3* db_ = nullptr;  // not owned; only for SQLite's error text
  sqlite3_stmt* statement_ = nullptr;
  bool endReached_ = true;
  int columnCount_ = 0;
  std::vector<std::string> columnNames_;
  bool ownsStatement_ = false;
};
