// Matching requested fields to result columns, ignoring the case of A to Z.
#include "readers/database/access_query_fields.h"

#include "core/ascii.h"

AccessFieldMatch MatchAccessFields(const std::vector<std::string>& columnNames,
                                   const std::vector<std::string>& fields) {
  AccessFieldMatch match;
  for (const std::string& field : fields) {
    std::size_t column = 0;
    while (column < columnNames.size() && !EqualsIgnoringAsciiCase(columnNames[column], field)) {
      ++column;
    }
    if (column == columnNames.size()) return {{}, field};
    match.columns.push_back(column);
  }
  return match;
}
