// Cutting 顺无盘's client list into tokens at a fixed set of delimiter bytes,
// over bytes handed in pieces.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/code_page.h"

// Gives the maximal runs of bytes that are not delimiters, in order, up to the
// first NUL byte. A double-byte character of the given ANSI code page is never
// cut: its trail byte may equal "[", "]", "{" or "}". A token or a character
// may span pieces; only the unfinished token is held between them.
class TokenScanner {
 public:
  explicit TokenScanner(const platform::CodePage& ansi);

  // The next piece of the bytes, once Next has given every token of the one
  // before. It must stay valid until then.
  void Feed(std::string_view piece);
  // No more bytes come: the token they end in is given too.
  void Finish();

  // The next whole token, into token (whose room is reused). False, token
  // untouched, when the piece is used up (feed the next one) or, after Finish
  // or a NUL, when no token is left.
  [[nodiscard]] bool Next(std::string& token);

  // A NUL was met: nothing after it counts, no more bytes need to be fed.
  [[nodiscard]] bool ended() const { return ended_; }

 private:
  // The token that the carried bytes and then run make, if any.
  bool GiveCarried(std::string& token, std::string_view run);

  enum class ByteKind : unsigned char { Plain, Delimiter, Lead, Nul };
  std::array<ByteKind, 256> kinds_{};
  std::string_view piece_;
  std::size_t position_ = 0;
  std::string carried_;    // the start of a token that the pieces before held
  bool trailDue_ = false;  // carried_ ends in a lead byte that takes the next byte
  bool ended_ = false;     // a NUL was met, or Finish called
};
