// Cutting 顺无盘's client list into tokens at a fixed set of delimiter bytes.
#pragma once

#include <array>
#include <string_view>

#include "platform/code_page.h"

// Gives the maximal runs of bytes that are not delimiters, in order, up to the
// first NUL byte. The views point into the scanned bytes. A double-byte
// character of the given ANSI code page is never cut: its trail byte may equal "[",
// "]", "{" or "}".
class TokenScanner {
 public:
  TokenScanner(std::string_view bytes, const platform::CodePage& ansi);

  // False once no token is left.
  [[nodiscard]] bool Next(std::string_view& token);

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  std::array<bool, 256> isLead_{};
};
