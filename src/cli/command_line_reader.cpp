// The command line read by CLI11, its findings turned into our own one-line errors.
#include "cli/command_line_reader.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace {

// CLI11 reads "--name=" as "--name" still waiting for its value and takes the
// next argument. The value meant is empty: since no argument can hold a NUL,
// one stands in for it and is taken out of everything read back.
constexpr char kEmptyValue = '\0';

std::vector<std::string> MarkEmptyValues(std::vector<std::string> arguments) {
  for (std::string& a : arguments) {
    if (a.size() > 3 && a.compare(0, 2, "--") == 0 && a.back() == '=') a += kEmptyValue;
  }
  return arguments;
}

std::string Unmarked(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), kEmptyValue), text.end());
  return text;
}

// A command wants more operands than any command line holds, and takes them
// one at a time. Once a command has all the operands it wants, CLI11 hands
// "--" and what follows back to the program; and were the count open-ended,
// it would split an operand "[a,b]" into "a" and "b".
constexpr int kOperandsWanted = 1 << 20;

std::optional<std::string> GivenTwice(const std::vector<std::string>& names,
                                      const std::vector<CLI::Option*>& options) {
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (options[i]->count() > 1) return names[i] + " given more than once";
  }
  return std::nullopt;
}

struct AddedCommand {
  const CommandSyntax* syntax;
  CLI::App* app;
  std::vector<CLI::Option*> options;  // in the order of syntax->options
  CLI::Option* operands;
};

// The chosen command's part of the arguments, or its usage error.
void ReadCommand(const AddedCommand& command, GivenArguments& given) {
  given.command = command.syntax->name;
  if ((given.error = GivenTwice(command.syntax->options, command.options))) return;
  for (const std::string& extra : command.app->remaining()) {
    // The "--" that ended the options is kept among the extras.
    if (extra == "--") continue;
    given.error = "unknown option: " + Unmarked(extra);
    return;
  }
  for (std::size_t i = 0; i < command.options.size(); ++i) {
    const CLI::Option* option = command.options[i];
    if (option->count() == 1) {
      given.options[command.syntax->options[i]] = Unmarked(option->results().front());
    }
  }
  for (const std::string& operand : command.operands->results()) {
    given.operands.push_back(Unmarked(operand));
  }
}

}  // namespace

GivenArguments ReadCommandLine(const std::vector<std::string>& arguments,
                               const std::vector<std::string>& flags,
                               const std::vector<CommandSyntax>& commands) {
  CLI::App app;  // comes with -h and --help, which every command inherits
  app.allow_extras();  // extras are reported below, in our words
  app.require_subcommand(0, 1);
  // A repeated option is an error we report; CLI11 only has to keep every value.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);

  std::vector<CLI::Option*> flagOptions;
  for (const std::string& flag : flags) flagOptions.push_back(app.add_flag(flag));
  std::vector<AddedCommand> added;
  for (const CommandSyntax& syntax : commands) {
    CLI::App* sub = app.add_subcommand(syntax.name);
    AddedCommand command{&syntax, sub, {}, sub->add_option("operands")};
    command.operands->expected(kOperandsWanted, kOperandsWanted);
    for (const std::string& name : syntax.options) command.options.push_back(sub->add_option(name));
    added.push_back(command);
  }

  GivenArguments given;
  std::vector<std::string> reversed = MarkEmptyValues(arguments);
  std::reverse(reversed.begin(), reversed.end());
  try {
    app.parse(std::move(reversed));
  } catch (const CLI::CallForHelp&) {
    given.help = true;
    return given;
  } catch (const CLI::ArgumentMismatch&) {
    // Options take one value each: this comes only when the arguments ran
    // out first, so the option is the last of them.
    given.error = Unmarked(arguments.back()) + " needs a value";
    return given;
  } catch (const CLI::ParseError&) {
    given.error = "cannot read the arguments";
    return given;
  }

  if (const std::vector<std::string> extras = app.remaining(); !extras.empty()) {
    given.error = "unknown command: " + Unmarked(extras.front());
    return given;
  }
  if ((given.error = GivenTwice(flags, flagOptions))) return given;
  for (std::size_t i = 0; i < flags.size(); ++i) {
    if (flagOptions[i]->count() == 0) continue;
    // CLI11 takes "--flag=value"; a bare flag reads as "true".
    if (flagOptions[i]->results()[0] != "true") {
      given.error = flags[i] + " takes no value";
      return given;
    }
    given.flags.insert(flags[i]);
  }
  for (const AddedCommand& command : added) {
    if (command.app->parsed()) ReadCommand(command, given);
  }
  return given;
}
