// Parsing zembrix-access-query's command line.
#include "readers/database/access_query_arguments.h"

#include <utility>

std::optional<AccessQueryArguments> ParseAccessQueryArguments(std::vector<std::string> arguments) {
  AccessQueryArguments parsed;
  auto next = arguments.begin();
  if (arguments.size() >= 2 && arguments[0] == "--jet3-charset") {
    parsed.jet3Charset = std::move(arguments[1]);
    next += 2;
  }
  if (arguments.end() - next < 2) return std::nullopt;
  parsed.sql = std::move(*next++);
  parsed.fields.assign(std::make_move_iterator(next), std::make_move_iterator(arguments.end()));
  return parsed;
}
