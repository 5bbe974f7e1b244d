// zembrix-cli: converts one source from the command line.
#include "cli/cli_main.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/cli_arguments.h"
#include "cli/stderr_host.h"
#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "platform/console_text.h"
#include "platform/path_text.h"
#include "zembrix_version.h"

namespace {

constexpr const char* kUsage =
    "usage: zembrix-cli convert --type TYPE [--output PATH] [--code-page N] SOURCE\n"
    "       zembrix-cli types\n"
    "       zembrix-cli --help | --version\n";

constexpr const char* kHelp =
    "Converts the machine list of a diskless or disk-based management system into\n"
    "a machine list file for the Telmora console.\n"
    "\n"
    "  convert   reads SOURCE as the given type and writes the machine list file\n"
    "            --type TYPE      index 0 to 21, short name or display name (see types)\n"
    "            --output PATH    the file to write (default: computer.ONC here)\n"
    "            --code-page N    the ANSI code page of sources and output (default 936)\n"
    "  types     lists the source types: index, short name, display name\n"
    "\n"
    "Messages go to stderr, one per line. Exit status: 0 file written,\n"
    "1 nothing written, 2 usage error.\n";

int Convert(const ConvertCommand& command) {
  const unsigned codePage = command.codePage.value_or(kDefaultAnsiCodePage);
  const std::optional<ConversionContext> context = ConversionContext::ForCodePage(codePage);
  if (!context) {
    platform::WriteText(stderr, "zembrix-cli: not an ANSI code page: " + std::to_string(codePage) +
                                    "\n" + kUsage);
    return kExitUsage;
  }
  StderrHost host;
  ConvertMachineList(command.type, platform::PathFromArgument(command.source),
                     platform::PathFromArgument(command.output), *context, host);
  return host.written() ? kExitWritten : kExitNotWritten;
}

void PrintTypes() {
  std::string text;
  for (const SourceTypeInfo& row : SourceTypes()) {
    text += std::to_string(IndexOf(row.type)) + '\t';
    text.append(row.slug) += '\t';
    text.append(row.displayName) += '\n';
  }
  platform::WriteText(stdout, text);
}

// What was printed has to reach stdout: a full disk or a closed pipe fails the run.
int StdoutStatus() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return kExitWritten;
  platform::WriteText(stderr, std::string("zembrix-cli: cannot write to stdout: ") +
                                  std::strerror(errno) + "\n");
  return kExitNotWritten;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments) {
  const CliCommand command = ParseCliArguments(arguments);
  if (const auto* convert = std::get_if<ConvertCommand>(&command)) return Convert(*convert);
  if (std::holds_alternative<TypesCommand>(command)) {
    PrintTypes();
    return StdoutStatus();
  }
  if (std::holds_alternative<HelpCommand>(command)) {
    platform::WriteText(stdout, std::string(kUsage) + "\n" + kHelp);
    return StdoutStatus();
  }
  if (std::holds_alternative<VersionCommand>(command)) {
    platform::WriteText(stdout, "zembrix-cli " ZEMBRIX_VERSION "\n");
    return StdoutStatus();
  }
  platform::WriteText(stderr,
                      "zembrix-cli: " + std::get<UsageError>(command).what + "\n" + kUsage);
  return kExitUsage;
}
