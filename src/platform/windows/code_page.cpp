// Code pages through Windows' own conversion functions.
#include "platform/code_page.h"

#include <windows.h>

#include <array>
#include <climits>
#include <stdexcept>

#include "platform/utf8_code_page.h"

namespace platform {
namespace {

int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX) / 4) throw std::length_error("text too long");
  return static_cast<int>(size);
}

class WindowsCodePage final : public CodePage {
 public:
  explicit WindowsCodePage(unsigned number) : number_(number) {
    for (unsigned byte = 0; byte < 256; ++byte) {
      isLead_[byte] = ::IsDBCSLeadByteEx(number, static_cast<BYTE>(byte)) != 0;
    }
  }

  unsigned number() const override { return number_; }

  bool IsLeadByte(unsigned char byte) const override { return isLead_[byte]; }

  std::u16string Decode(std::string_view bytes) const override {
    bytes = bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
    if (bytes.empty()) return {};
    const int size = CheckedLength(bytes.size());
    std::u16string text(bytes.size(), u'\0');  // never more units than bytes
    const int length = ::MultiByteToWideChar(number_, 0, bytes.data(), size,
                                             reinterpret_cast<wchar_t*>(text.data()), size);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
  }

  std::string Encode(std::u16string_view text) const override {
    if (text.empty()) return {};
    const int size = CheckedLength(text.size());
    std::string bytes(text.size() * 2, '\0');  // at most two bytes a unit here
    const int length = ::WideCharToMultiByte(
        number_, 0, reinterpret_cast<const wchar_t*>(text.data()), size, bytes.data(),
        static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return bytes;
  }

 private:
  unsigned number_;
  std::array<bool, 256> isLead_{};
};

// Code pages whose characters are one or two bytes; the others (UTF-7, the
// EBCDIC and ISO-2022 families) are no ANSI code page.
bool IsByteOrDoubleByteCodePage(unsigned number) {
  CPINFO info{};
  return ::IsValidCodePage(number) && ::GetCPInfo(number, &info) && info.MaxCharSize <= 2;
}

}  // namespace

std::unique_ptr<CodePage> CodePage::Open(unsigned number) {
  if (number == kUtf8CodePage) return std::make_unique<Utf8CodePage>();
  if (!IsByteOrDoubleByteCodePage(number)) return nullptr;
  return std::make_unique<WindowsCodePage>(number);
}

}  // namespace platform
