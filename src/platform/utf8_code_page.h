// UTF-8 as a code page: no lead bytes, text up to the first NUL.
#pragma once

#include <algorithm>

#include "platform/code_page.h"

namespace platform {

class Utf8CodePage final : public CodePage {
 public:
  unsigned number() const override { return kUtf8CodePage; }
  bool IsLeadByte(unsigned char) const override { return false; }
  std::u16string Decode(std::string_view bytes) const override {
    return Utf8ToUtf16(bytes.substr(0, std::min(bytes.find('\0'), bytes.size())));
  }
  std::string Encode(std::u16string_view text) const override { return Utf16ToUtf8(text); }
};

}  // namespace platform
