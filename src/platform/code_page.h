// Windows code pages and UTF-8, converted as the Windows conversion functions do.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace platform {

inline constexpr unsigned kUtf8CodePage = 65001;

// One code page, opened once per conversion and used for all its text.
class CodePage {
 public:
  // Nothing for a code page this system cannot convert.
  [[nodiscard]] static std::unique_ptr<CodePage> Open(unsigned number);
  virtual ~CodePage() = default;

  [[nodiscard]] virtual unsigned number() const = 0;

  // True when the byte starts a double-byte character: it takes the next byte
  // with it, whatever that byte is, unless it is NUL. Never true for UTF-8,
  // whose multi-byte characters hold no ASCII bytes.
  [[nodiscard]] virtual bool IsLeadByte(unsigned char byte) const = 0;

  // Decodes bytes up to the first NUL: a lead byte takes the next byte with it
  // unless that is NUL or the end; any unit without a mapping becomes "?".
  [[nodiscard]] virtual std::u16string Decode(std::string_view bytes) const = 0;

  // Encodes the whole text (NULs included) with the code page's best-fit
  // characters; every code unit without a mapping becomes one "?".
  [[nodiscard]] virtual std::string Encode(std::u16string_view text) const = 0;
};

// The whole text or byte string, NULs included; what does not convert becomes U+FFFD.
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view bytes);

}  // namespace platform
