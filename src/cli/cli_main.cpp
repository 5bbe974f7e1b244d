// zembrix-cli: converts, lists or identifies one source from the command line.
#include "cli/cli_main.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/machine_listing.h"
#include "cli/stderr_host.h"
#include "conversion/conversion_run.h"
#include "conversion/source_detection.h"
#include "conversion/source_types.h"
#include "platform/console_text.h"
#include "platform/path_text.h"
#include "zembrix_version.h"

namespace {

constexpr const char* kUsage =
    "usage: zembrix-cli convert --type TYPE [--output PATH] [--code-page N] SOURCE\n"
    "       zembrix-cli list --type TYPE [--code-page N] SOURCE\n"
    "       zembrix-cli detect [--code-page N] SOURCE\n"
    "       zembrix-cli types\n"
    "       zembrix-cli --help | --version\n";

constexpr const char* kHelp =
    "Converts the machine list of a diskless or disk-based management system into\n"
    "a machine list file for the Telmora console.\n"
    "\n"
    "  convert   reads SOURCE as the given type and writes the machine list file;\n"
    "            after \"生成成功!\" one line tells how many machines were written,\n"
    "            the records skipped and why, and the repeated MAC and IP addresses\n"
    "            --type TYPE      index 0 to 21, short name or display name (see types)\n"
    "            --output PATH    the file to write (default: computer.ONC here)\n"
    "            --code-page N    the ANSI code page of sources and output (default 936)\n"
    "  list      reads SOURCE as convert does and writes no file: prints the machines\n"
    "            the list would hold, one a line, MAC<TAB>IP<TAB>NAME in UTF-8\n"
    "            (backslashes and control characters escaped: \\\\ \\t \\n \\r \\xNN)\n"
    "            --type TYPE, --code-page N   as for convert\n"
    "  detect    prints the types that can read SOURCE, best first, one a line:\n"
    "            INDEX<TAB>SHORT NAME<TAB>DISPLAY NAME<TAB>MACHINES\n"
    "            --code-page N    as for convert\n"
    "  types     lists the source types: index, short name, display name\n"
    "\n"
    "Messages go to stderr, one per line. Exit status: 0 file written,\n"
    "1 nothing written, 2 usage error. list and detect exit 0 once they have\n"
    "printed, 1 when SOURCE cannot be read or no type reads it.\n";

// The conversion context of the code page asked for; nothing, after the usage
// error, for a number that is no ANSI code page.
std::optional<ConversionContext> ContextFor(std::optional<unsigned> asked) {
  const unsigned codePage = asked.value_or(kDefaultAnsiCodePage);
  std::optional<ConversionContext> context = ConversionContext::ForCodePage(codePage);
  if (!context) {
    platform::WriteText(stderr, "zembrix-cli: not an ANSI code page: " + std::to_string(codePage) +
                                    "\n" + kUsage);
  }
  return context;
}

int Convert(const ConvertCommand& command) {
  const std::optional<ConversionContext> context = ContextFor(command.codePage);
  if (!context) return kExitUsage;
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


// Prints what is made a piece at a time, so that a long listing never waits
// whole in memory; stops at the first piece that cannot be written.
class StdoutPieces {
 public:
  std::string& text() { return text_; }
  void PrintIfLong() {
    if (text_.size() >= kPieceSize) Print();
  }
  void Print() {
    if (ok_) ok_ = platform::WriteText(stdout, text_);
    text_.clear();
  }

 private:
  static constexpr std::size_t kPieceSize = 1 << 16;
  std::string text_;
  bool ok_ = true;
};

int List(const ListCommand& command) {
  const std::optional<ConversionContext> context = ContextFor(command.codePage);
  if (!context) return kExitUsage;
  StderrHost host;
  const std::optional<MachineList> machines = ReadMachineList(
      command.type, platform::PathFromArgument(command.source), *context, host);
  if (!machines) return kExitNotWritten;
  StdoutPieces out;
  for (const MachineEntry& entry : *machines) {
    AppendMachineLine(out.text(), entry, context->ansi());
    out.PrintIfLong();
  }
  out.Print();
  return StdoutStatus();
}

int Detect(const DetectCommand& command) {
  const std::optional<ConversionContext> context = ContextFor(command.codePage);
  if (!context) return kExitUsage;
  StderrHost messages;
  const std::filesystem::path source = platform::PathFromArgument(command.source);
  if (source.empty()) {
    messages.ShowMessage(Message::PathEmpty);
    return kExitNotWritten;
  }
  const std::vector<DetectedType> found = DetectSourceTypes(source, *context);
  if (found.empty()) {
    messages.ShowMessage(Message::SourceFormatInvalid);
    return kExitNotWritten;
  }
  std::string text;
  for (const DetectedType& candidate : found) {
    const SourceTypeInfo& row = SourceTypeOf(candidate.type);
    text += std::to_string(IndexOf(row.type)) + '\t';
    text.append(row.slug) += '\t';
    text.append(row.displayName) += '\t';
    text += std::to_string(candidate.machines) + '\n';
  }
  platform::WriteText(stdout, text);
  return StdoutStatus();
}

// Runs a command that reads outside the conversion run, which tells "内存不足!"
// on its own when memory runs out; here the command line says it.
template <typename Command>
int WhenMemoryLasts(int (*run)(const Command&), const Command& command) {
  try {
    return run(command);
  } catch (const std::bad_alloc&) {
    StderrHost().ShowMessage(Message::OutOfMemory);
    return kExitNotWritten;
  }
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments) {
  const CliCommand command = ParseCliArguments(arguments);
  if (const auto* convert = std::get_if<ConvertCommand>(&command)) return Convert(*convert);
  if (const auto* list = std::get_if<ListCommand>(&command)) return WhenMemoryLasts(List, *list);
  if (const auto* detect = std::get_if<DetectCommand>(&command)) {
    return WhenMemoryLasts(Detect, *detect);
  }
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
