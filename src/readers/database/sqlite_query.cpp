// Stepping through a prepared SELECT and reading its columns.
#include "readers/database/sqlite_query.h"

#include <utility>

#include "core/ascii.h"
#include "readers/database/sqlite_exception.h"

namespace {

constexpr char kNullStatement[] = "Null Virtual Machine pointer";

}  // namespace

CppSQLite3Query::CppSQLite3Query(sqlite3* db, sqlite3_stmt* statement, bool endReached)
    : db_(db),
      statement_(statement),
      endReached_(endReached),
      columnCount_(statement ? sqlite3_column_count(statement) : 0),
      ownsStatement_(true) {
  // A statement's column names never change; asking SQLite for them on every
  // value read costs more than the read itself.
  for (int i = 0; i < columnCount_; ++i) {
    const char* name = sqlite3_column_name(statement_, i);
    columnNames_.emplace_back(name ? name : "");
  }
}

CppSQLite3Query::CppSQLite3Query(CppSQLite3Query&& source) noexcept { takeFrom(source); }

CppSQLite3Query& CppSQLite3Query::operator=(CppSQLite3Query&& source) noexcept {
  if (this == &source) return *this;
  try {
    finish();
  } catch (const CppSQLite3Exception&) {
    // The statement being replaced is gone either way.
  }
  takeFrom(source);
  return *this;
}

CppSQLite3Query::~CppSQLite3Query() {
  try {
    finish();
  } catch (const CppSQLite3Exception&) {
    // A destructor must not throw; the statement is finalized regardless.
  }
}

void CppSQLite3Query::takeFrom(CppSQLite3Query& source) noexcept {
  db_ = source.db_;
  statement_ = std::exchange(source.statement_, nullptr);
  endReached_ = source.endReached_;
  columnCount_ = source.columnCount_;
  columnNames_ = std::move(source.columnNames_);
  ownsStatement_ = source.ownsStatement_;
}

void CppSQLite3Query::checkStatement() const {
  if (!statement_) throw CppSQLite3Exception(CppSQLite3Exception::kWrapperError, kNullStatement);
}

bool CppSQLite3Query::atEnd() const {
  checkStatement();
  return endReached_;
}

void CppSQLite3Query::advance() {
  checkStatement();
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_DONE) {
    endReached_ = true;
  } else if (result != SQLITE_ROW) {
    // With the legacy prepare the step says only "error"; finalize tells which.
    const int code = sqlite3_finalize(std::exchange(statement_, nullptr));
    throw CppSQLite3Exception(code, sqlite3_errmsg(db_));
  }
}

void CppSQLite3Query::finish() {
  if (!statement_ || !ownsStatement_) return;
  const int code = sqlite3_finalize(std::exchange(statement_, nullptr));
  if (code != SQLITE_OK) throw CppSQLite3Exception(code, sqlite3_errmsg(db_));
}

int CppSQLite3Query::columnIndex(const char* name) const {
  checkStatement();
  if (name) {
    for (int i = 0; i < columnCount_; ++i) {
      if (EqualsIgnoringAsciiCase(columnNames_[static_cast<std::size_t>(i)], name)) return i;
    }
  }
  throw CppSQLite3Exception(CppSQLite3Exception::kWrapperError, "Invalid field name requested");
}

int CppSQLite3Query::columnType(int index) const {
  checkStatement();
  if (index < 0 || index > columnCount_ - 1) {
    throw CppSQLite3Exception(CppSQLite3Exception::kWrapperError, "Invalid field index requested");
  }
  return sqlite3_column_type(statement_, index);
}

const char* CppSQLite3Query::textByName(const char* name) const { return textAt(columnIndex(name)); }

const char* CppSQLite3Query::textAt(int index) const {
  if (columnType(index) == SQLITE_NULL) return "";
  const auto* text = sqlite3_column_text(statement_, index);
  if (text) return reinterpret_cast<const char*>(text);
  // An empty blob also gives NULL; only a failed conversion is an error.
  if (sqlite3_errcode(db_) == SQLITE_NOMEM) throw CppSQLite3Exception(SQLITE_NOMEM, sqlite3_errmsg(db_));
  return "";
}
