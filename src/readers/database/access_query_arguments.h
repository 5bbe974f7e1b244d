// The command line of zembrix-access-query, the same for every build of it:
//
//   zembrix-access-query [--jet3-charset NAME] SQL FIELD... < DATABASE
#pragma once

#include <optional>
#include <string>
#include <vector>

struct AccessQueryArguments {
  std::optional<std::string> jet3Charset;  // how Jet 3 files hold text, when given
  std::string sql;
  std::vector<std::string> fields;  // read from each row by name, in this order
};

inline constexpr const char* kAccessQueryUsage =
    "usage: zembrix-access-query [--jet3-charset NAME] SQL FIELD... < DATABASE\n";

// The arguments after the program name; nothing when they do not fit the usage.
[[nodiscard]] std::optional<AccessQueryArguments> ParseAccessQueryArguments(
    std::vector<std::string> arguments);
