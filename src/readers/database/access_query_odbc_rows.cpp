// Running the query through ODBC and reading each requested column in pieces.
#include "readers/database/access_query_odbc_rows.h"

#include <sqlext.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "readers/database/access_query_fields.h"
#include "readers/database/access_query_odbc_text.h"

namespace access_odbc {

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(wchar_t));

// Values come in pieces of this many characters, the terminating NUL included.
constexpr std::size_t kPieceChars = 4096;
// A driver that keeps saying there is more must not take all memory; the
// reader would refuse a value this long anyway.
constexpr std::size_t kMostValueChars = std::size_t{1} << 24;

std::optional<std::wstring> ColumnName(const OdbcHandle& statement, SQLUSMALLINT column) {
  std::wstring name(256, L'\0');
  for (;;) {
    SQLSMALLINT length = 0;
    const SQLRETURN result = ::SQLDescribeColW(
        statement.get(), column, reinterpret_cast<SQLWCHAR*>(name.data()),
        static_cast<SQLSMALLINT>(name.size()), &length, nullptr, nullptr, nullptr, nullptr);
    if (!SQL_SUCCEEDED(result) || length < 0) return std::nullopt;
    if (static_cast<std::size_t>(length) < name.size()) {
      name.resize(static_cast<std::size_t>(length));
      return name;
    }
    name.resize(static_cast<std::size_t>(length) + 1);
  }
}

struct ColumnRead {
  std::wstring text;  // all of it; a NULL is the empty text
  std::string error;  // why the driver could not give it, when it could not
};

ColumnRead ReadColumn(const OdbcHandle& statement, SQLUSMALLINT column) {
  ColumnRead read;
  wchar_t piece[kPieceChars];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN result = ::SQLGetData(statement.get(), column, SQL_C_WCHAR, piece,
                                          sizeof piece, &indicator);
    // Everything was taken by the calls before.
    if (result == SQL_NO_DATA) return read;
    if (!SQL_SUCCEEDED(result)) return {{}, Diagnostics(statement)};
    if (indicator == SQL_NULL_DATA) return read;
    // The driver ends every piece with a NUL; one that did not hold the rest
    // of the value is full.
    constexpr std::size_t kRoom = kPieceChars - 1;
    const std::size_t chars =
        indicator == SQL_NO_TOTAL
            ? std::wstring_view(piece, kRoom).find(L'\0')
            : static_cast<std::size_t>(std::max<SQLLEN>(indicator, 0)) / sizeof(wchar_t);
    const bool more = result == SQL_SUCCESS_WITH_INFO && chars > kRoom;
    read.text.append(piece, std::min(kRoom, chars));
    if (!more) return read;
    if (read.text.size() > kMostValueChars) return {{}, "the value does not end"};
  }
}

std::optional<std::vector<std::string>> ColumnNames(const OdbcHandle& statement) {
  SQLSMALLINT count = 0;
  if (!SQL_SUCCEEDED(::SQLNumResultCols(statement.get(), &count))) return std::nullopt;
  std::vector<std::string> names;
  for (SQLSMALLINT column = 1; column <= count; ++column) {
    const std::optional<std::wstring> name = ColumnName(statement, column);
    if (!name) return std::nullopt;
    names.push_back(ToUtf8(*name));
  }
  return names;
}

}  // namespace

int WriteQueryRows(const OdbcHandle& connection, const std::string& sql,
                   const std::vector<std::string>& fields, AccessQueryOutput& output) {
  const OdbcHandle statement(SQL_HANDLE_STMT, connection.get());
  if (!statement) return output.Fail("no ODBC statement handle: " + Diagnostics(connection));
  std::wstring query = FromUtf8(sql);
  const SQLRETURN executed =
      ::SQLExecDirectW(statement.get(), reinterpret_cast<SQLWCHAR*>(query.data()),
                       static_cast<SQLINTEGER>(query.size()));
  if (!SQL_SUCCEEDED(executed)) return output.Fail("query failed: " + Diagnostics(statement));
  const std::optional<std::vector<std::string>> names = ColumnNames(statement);
  if (!names) return output.Fail("query failed: " + Diagnostics(statement));
  if (names->empty()) return output.Fail("query failed: it gives no rows to read");
  const AccessFieldMatch match = MatchAccessFields(*names, fields);
  if (match.missing) return output.Fail("no field " + *match.missing);

  // Many drivers give the columns of a row only in their order, and each once.
  std::vector<std::size_t> wanted = match.columns;
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  std::vector<std::string> values(names->size());
  AccessRow row(fields.size());
  for (;;) {
    const SQLRETURN fetched = ::SQLFetch(statement.get());
    if (fetched == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(fetched)) {
      return output.Fail("reading a row failed: " + Diagnostics(statement));
    }
    for (const std::size_t column : wanted) {
      const ColumnRead read = ReadColumn(statement, static_cast<SQLUSMALLINT>(column + 1));
      if (!read.error.empty()) {
        return output.Fail("reading field " + (*names)[column] + " failed: " + read.error);
      }
      values[column] = ToUtf8(read.text);
    }
    for (std::size_t i = 0; i < fields.size(); ++i) row[i] = values[match.columns[i]];
    if (!output.Row(row)) return EXIT_FAILURE;
  }
  return output.End() ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace access_odbc
