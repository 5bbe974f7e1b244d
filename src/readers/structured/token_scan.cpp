// The token scanner over the file's bytes.
#include "readers/structured/token_scan.h"

#include "core/code_page.h"

namespace {

// The colon is no delimiter: between two quoted strings it is a token of its own.
constexpr std::string_view kDelimiters = " \t{\"[,\r\n]}";

bool IsDelimiter(char byte) { return kDelimiters.find(byte) != std::string_view::npos; }

}  // namespace

std::vector<std::string_view> ScanTokens(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string_view> tokens;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (IsDelimiter(bytes[i])) {
      if (i > start) tokens.push_back(bytes.substr(start, i - start));
      start = ++i;
      continue;
    }
    const bool pair = IsAnsiLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size();
    i += pair ? 2 : 1;
  }
  if (i > start) tokens.push_back(bytes.substr(start, i - start));
  return tokens;
}
