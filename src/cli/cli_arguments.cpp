// Parsing "convert", "list", "detect", "types", "--help" and "--version".
#include "cli/cli_arguments.h"

#include <charconv>

#include "cli/command_line_reader.h"
#include "conversion/source_types.h"

namespace {

const std::vector<CommandSyntax> kCommands = {
    {"convert", {"--type", "--output", "--code-page"}},
    {"list", {"--type", "--code-page"}},
    {"detect", {"--code-page"}},
    {"types", {}},
};

const std::string* OptionGiven(const GivenArguments& given, const std::string& name) {
  const auto found = given.options.find(name);
  return found == given.options.end() ? nullptr : &found->second;
}

// Each reads one part of a command into `into`, or gives the usage error.
std::optional<UsageError> ReadType(const GivenArguments& given, DisklessType& into) {
  const std::string* type = OptionGiven(given, "--type");
  if (!type) return UsageError{given.command + " needs --type"};
  const SourceTypeInfo* row = FindSourceType(*type);
  if (!row) return UsageError{"unknown type: " + *type + " (see: zembrix-cli types)"};
  into = row->type;
  return std::nullopt;
}

std::optional<UsageError> ReadCodePage(const GivenArguments& given, std::optional<unsigned>& into) {
  const std::string* page = OptionGiven(given, "--code-page");
  if (!page) return std::nullopt;
  unsigned value = 0;
  const char* end = page->data() + page->size();
  auto [next, failure] = std::from_chars(page->data(), end, value);
  if (page->empty() || failure != std::errc{} || next != end) {
    return UsageError{"not a code page number: " + *page};
  }
  into = value;
  return std::nullopt;
}

std::optional<UsageError> ReadOneSource(const GivenArguments& given, std::string& into) {
  if (given.operands.empty()) return UsageError{given.command + " needs a source file"};
  if (given.operands.size() > 1) return UsageError{"more than one source: " + given.operands[1]};
  into = given.operands.front();
  return std::nullopt;
}

CliCommand ToConvert(const GivenArguments& given) {
  ConvertCommand command;
  if (auto error = ReadType(given, command.type)) return *error;
  if (auto error = ReadCodePage(given, command.codePage)) return *error;
  if (auto error = ReadOneSource(given, command.source)) return *error;
  if (const std::string* output = OptionGiven(given, "--output")) command.output = *output;
  return command;
}

CliCommand ToList(const GivenArguments& given) {
  ListCommand command;
  if (auto error = ReadType(given, command.type)) return *error;
  if (auto error = ReadCodePage(given, command.codePage)) return *error;
  if (auto error = ReadOneSource(given, command.source)) return *error;
  return command;
}

CliCommand ToDetect(const GivenArguments& given) {
  DetectCommand command;
  if (auto error = ReadCodePage(given, command.codePage)) return *error;
  if (auto error = ReadOneSource(given, command.source)) return *error;
  return command;
}

CliCommand ToTypes(const GivenArguments& given) {
  if (!given.operands.empty()) return UsageError{"types takes no arguments"};
  return TypesCommand{};
}

}  // namespace

CliCommand ParseCliArguments(const std::vector<std::string>& arguments) {
  const GivenArguments given = ReadCommandLine(arguments, {"--version"}, kCommands);
  if (given.help) return HelpCommand{};
  if (given.error) return UsageError{*given.error};
  if (given.flags.count("--version")) {
    if (!given.command.empty()) return UsageError{"--version takes no command"};
    return VersionCommand{};
  }
  if (given.command == "convert") return ToConvert(given);
  if (given.command == "list") return ToList(given);
  if (given.command == "detect") return ToDetect(given);
  if (given.command == "types") return ToTypes(given);
  return UsageError{"no command given"};
}
