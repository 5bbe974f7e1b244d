// One machine's line of the listing.
#include "cli/machine_listing.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

bool IsPrintableAscii(char16_t c) { return c >= 0x20 && c < 0x7F; }

// The value as the file's bytes give it back. A NUL ends what Decode reads,
// so the text on either side of one goes through on its own.
std::u16string AsWritten(std::u16string_view value, const platform::CodePage& codePage) {
  // Printable ASCII is written as itself in every code page the run accepts.
  if (std::all_of(value.begin(), value.end(), IsPrintableAscii)) return std::u16string(value);
  std::u16string text;
  for (std::size_t start = 0;;) {
    const std::size_t nul = value.find(u'\0', start);
    text += codePage.Decode(codePage.Encode(value.substr(start, nul - start)));
    if (nul == std::u16string_view::npos) return text;
    text += u'\0';
    start = nul + 1;
  }
}

void AppendEscaped(std::string& lines, std::string_view utf8) {
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\\') {
      lines += "\\\\";
    } else if (byte == '\t') {
      lines += "\\t";
    } else if (byte == '\n') {
      lines += "\\n";
    } else if (byte == '\r') {
      lines += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      lines += hex;
    } else {
      lines += c;
    }
  }
}

void AppendValue(std::string& lines, std::u16string_view value,
                 const platform::CodePage& codePage) {
  AppendEscaped(lines, platform::Utf16ToUtf8(AsWritten(value, codePage)));
}

}  // namespace

void AppendMachineLine(std::string& lines, const MachineEntry& entry,
                       const platform::CodePage& codePage) {
  AppendValue(lines, entry.mac, codePage);
  lines += '\t';
  AppendValue(lines, entry.ip, codePage);
  lines += '\t';
  AppendValue(lines, entry.name, codePage);
  lines += '\n';
}
