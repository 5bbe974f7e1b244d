// Reading the words of the command line: the program's flags, one command,
// its options and its operands. CLI11 does the reading; the errors are ours.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// A command: its name and its options ("--type"), each taking one value.
struct CommandSyntax {
  std::string name;
  std::vector<std::string> options;
};

// What the command line held; each command checks its own part.
struct GivenArguments {
  bool help = false;                  // -h or --help, before or after the command
  std::optional<std::string> error;   // a usage error, said in one line
  std::set<std::string> flags;        // the program's flags given ("--version")
  std::string command;                // empty when none was given
  std::map<std::string, std::string> options;  // the command's options given, with their values
  std::vector<std::string> operands;  // in order; all that follows "--" is one
};

// Option values come as "--name value" or "--name=value". An option given
// twice, an option no one knows, a value missing or a word that is no
// command is an error.
[[nodiscard]] GivenArguments ReadCommandLine(const std::vector<std::string>& arguments,
                                             const std::vector<std::string>& flags,
                                             const std::vector<CommandSyntax>& commands);
