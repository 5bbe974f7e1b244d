// Quoting arguments into a Windows command line the C runtime splits back the same.
#include "platform/windows/command_line.h"

#include "platform/windows/wide_text.h"

namespace platform {
namespace {

// One argument as the C runtime's command line parser reads it back.
void AppendQuoted(std::wstring& line, std::wstring_view argument) {
  if (!line.empty()) line += L' ';
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
    line += argument;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

}  // namespace

std::wstring CommandLine(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments) {
  std::wstring line;
  AppendQuoted(line, program.native());
  for (const std::string& argument : arguments) AppendQuoted(line, WideFromUtf8(argument));
  return line;
}

}  // namespace platform
