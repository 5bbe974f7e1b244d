// Parsing "convert", "types", "--help" and "--version".
#include "cli/cli_arguments.h"

#include <charconv>

#include "conversion/source_types.h"

namespace {

bool IsHelp(const std::string& a) { return a == "--help" || a == "-h"; }

// "--name value" or "--name=value"; advances i past what it takes.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                       const std::string& name, std::string& error) {
  const std::string& a = args[i];
  if (a.rfind(name + "=", 0) == 0) return a.substr(name.size() + 1);
  if (a != name) return std::nullopt;
  if (i + 1 >= args.size()) {
    error = name + " needs a value";
    return std::nullopt;
  }
  return args[++i];
}

CliCommand ParseConvert(const std::vector<std::string>& args) {
  ConvertCommand command;
  bool haveType = false;
  bool haveSource = false;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string error;
    if (!optionsEnded && IsHelp(a)) return HelpCommand{};
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && a.size() > 1 && a[0] == '-') {
      if (auto type = OptionValue(args, i, "--type", error)) {
        const SourceTypeInfo* row = FindSourceType(*type);
        if (!row) return UsageError{"unknown type: " + *type + " (see: zembrix-cli types)"};
        command.type = row->type;
        haveType = true;
      } else if (auto output = OptionValue(args, i, "--output", error)) {
        command.output = *output;
      } else if (auto page = OptionValue(args, i, "--code-page", error)) {
        unsigned value = 0;
        const char* end = page->data() + page->size();
        auto [next, failure] = std::from_chars(page->data(), end, value);
        if (page->empty() || failure != std::errc{} || next != end) {
          return UsageError{"not a code page number: " + *page};
        }
        command.codePage = value;
      } else {
        return UsageError{error.empty() ? "unknown option: " + a : error};
      }
      continue;
    }
    if (haveSource) return UsageError{"more than one source: " + a};
    command.source = a;
    haveSource = true;
  }
  if (!haveType) return UsageError{"convert needs --type"};
  if (!haveSource) return UsageError{"convert needs a source file"};
  return command;
}

}  // namespace

CliCommand ParseCliArguments(const std::vector<std::string>& args) {
  if (args.empty()) return UsageError{"no command given"};
  const std::string& first = args[0];
  if (IsHelp(first)) return HelpCommand{};
  if (first == "--version") return VersionCommand{};
  if (first == "types") {
    if (args.size() > 1) return IsHelp(args[1]) ? CliCommand{HelpCommand{}} : UsageError{"types takes no arguments"};
    return TypesCommand{};
  }
  if (first == "convert") return ParseConvert(args);
  return UsageError{"unknown command: " + first};
}
