// Cutting 顺无盘's client list into tokens at a fixed set of delimiter bytes.
#pragma once

#include <array>
#include <string_view>
#include <vector>

// Gives the maximal runs of bytes that are not delimiters, in order, up to the
// first NUL byte. The views point into the scanned bytes. A double-byte
// character of the ANSI code page is never cut: its trail byte may equal "[",
// "]", "{" or "}".
class TokenScanner {
 public:
  explicit TokenScanner(std::string_view bytes);

  // False once no token is left.
  [[nodiscard]] bool Next(std::string_view& token);

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  std::array<bool, 256> isLead_{};
};

// All tokens at once.
[[nodiscard]] std::vector<std::string_view> ScanTokens(std::string_view bytes);
