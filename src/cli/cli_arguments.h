// The command line's arguments, parsed.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/diskless_type.h"

struct ConvertCommand {
  DisklessType type{};
  std::string source;
  std::string output = "computer.ONC";
  std::optional<unsigned> codePage;
};
struct ListCommand {
  DisklessType type{};
  std::string source;
  std::optional<unsigned> codePage;
};
struct DetectCommand {
  std::string source;
  std::optional<unsigned> codePage;
};
struct TypesCommand {};
struct HelpCommand {};
struct VersionCommand {};
struct UsageError {
  std::string what;
};

using CliCommand = std::variant<ConvertCommand, ListCommand, DetectCommand, TypesCommand,
                                HelpCommand, VersionCommand, UsageError>;

[[nodiscard]] CliCommand ParseCliArguments(const std::vector<std::string>& arguments);
