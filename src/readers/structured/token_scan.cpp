// The token scanner over the file's bytes.
#include "readers/structured/token_scan.h"


namespace {

// The colon is no delimiter: between two quoted strings it is a token of its own.
constexpr std::string_view kDelimiters = " \t{\"[,\r\n]}";

constexpr std::array<bool, 256> MakeDelimiterTable() {
  std::array<bool, 256> table{};
  for (char c : kDelimiters) table[static_cast<unsigned char>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kIsDelimiter = MakeDelimiterTable();

}  // namespace

TokenScanner::TokenScanner(std::string_view bytes, const platform::CodePage& ansi)
    : bytes_(bytes.substr(0, bytes.find('\0'))) {
  for (unsigned byte = 0; byte < 256; ++byte) {
    isLead_[byte] = ansi.IsLeadByte(static_cast<unsigned char>(byte));
  }
}

bool TokenScanner::Next(std::string_view& token) {
  const std::size_t size = bytes_.size();
  std::size_t i = position_;
  while (i < size && kIsDelimiter[static_cast<unsigned char>(bytes_[i])]) ++i;
  if (i == size) {
    position_ = size;
    return false;
  }
  const std::size_t start = i;
  while (i < size) {
    const auto byte = static_cast<unsigned char>(bytes_[i]);
    if (kIsDelimiter[byte]) break;
    i += isLead_[byte] && i + 1 < size ? 2 : 1;
  }
  token = bytes_.substr(start, i - start);
  position_ = i;
  return true;
}
