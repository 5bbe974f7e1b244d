// Decoding ANSI bytes into reused strings, ASCII without the code page.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/code_page.h"

class AnsiDecoder {
 public:
  explicit AnsiDecoder(const platform::CodePage& ansi);

  // What ansi.Decode(bytes) gives (up to the first NUL), into `text`, whose
  // room is reused.
  void Decode(std::string_view bytes, std::u16string& text) const;

  // What platform::Utf16ToUtf8(ansi.Decode(bytes)) gives, appended to `utf8`.
  void AppendUtf8(std::string_view bytes, std::string& utf8) const;

  // Whether bytes decoded piece by piece, each piece cut by WholeCharacters,
  // give what they give decoded whole (not so in UTF-8, whose broken
  // sequences are not ours to split).
  [[nodiscard]] bool DecodesInPieces() const { return splits_; }
  // How many of the bytes (no NUL among them) make whole characters: all but
  // a last lead byte whose partner has not come yet.
  [[nodiscard]] std::size_t WholeCharacters(std::string_view bytes) const;

 private:
  // Calls ascii(run) for each run of ASCII characters and other(run) for the
  // bytes between, which start and end at character boundaries, in order,
  // up to the first NUL.
  template <typename Ascii, typename Other>
  void Split(std::string_view bytes, Ascii&& ascii, Other&& other) const;

  const platform::CodePage& ansi_;
  bool asciiAsItself_ = true;  // bytes 01 to 7F are each the character of the same value
  // And a run of other bytes decodes on its own as it does among the rest.
  bool splits_ = true;
  std::array<bool, 256> isLead_{};
};
