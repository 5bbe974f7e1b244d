// Windows-compatible code page conversions on top of ICU's converters.
#include "platform/code_page.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "platform/utf8_code_page.h"

namespace platform {
namespace {

constexpr char16_t kReplacement = u'?';
constexpr UChar32 kSubstitute = 0xFFFD;

// Characters for which ICU's fallback gives a control byte where Windows gives "?".
struct ForcedQuestionMarks {
  unsigned codePage;
  std::array<char16_t, 5> characters;
};
constexpr std::array kForcedQuestionMarks = {
    ForcedQuestionMarks{936, {0xFFE9, 0xFFEA, 0xFFEB, 0xFFEC, 0xFFEE}},
};

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's own substitution skips default-ignorable characters; Windows does not.
void WriteQuestionMarkPerCodeUnit(const void*, UConverterFromUnicodeArgs* args, const UChar*,
                                  int32_t length, UChar32, UConverterCallbackReason reason,
                                  UErrorCode* error) {
  if (reason > UCNV_IRREGULAR) return;
  *error = U_ZERO_ERROR;
  const std::string marks(static_cast<std::size_t>(length), '?');
  ucnv_cbFromUWriteBytes(args, marks.data(), length, 0, error);
}

ConverterPtr OpenWindowsConverter(unsigned codePage) {
  UErrorCode error = U_ZERO_ERROR;
  const std::string name = "windows-" + std::to_string(codePage);
  ConverterPtr converter(ucnv_open(name.c_str(), &error));
  if (U_FAILURE(error)) return nullptr;
  return converter;
}

class WindowsCodePage final : public CodePage {
 public:
  static std::unique_ptr<CodePage> Open(unsigned codePage) {
    ConverterPtr decoder = OpenWindowsConverter(codePage);
    ConverterPtr encoder = OpenWindowsConverter(codePage);
    if (!decoder || !encoder) return nullptr;
    return std::unique_ptr<CodePage>(
        new WindowsCodePage(codePage, std::move(decoder), std::move(encoder)));
  }

  unsigned number() const override { return codePage_; }

  bool IsLeadByte(unsigned char byte) const override { return isLead_[byte]; }

  std::u16string Decode(std::string_view bytes) const override {
    std::u16string text(bytes.size(), u'\0');  // never more units than bytes
    std::size_t length = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte == 0) break;
      if (!isLead_[byte]) {
        text[length++] = single_[byte];
      } else if (i + 1 < bytes.size() && bytes[i + 1] != 0) {
        text[length++] = DecodePair(byte, static_cast<unsigned char>(bytes[++i]));
      } else {
        text[length++] = kReplacement;
      }
    }
    text.resize(length);
    return text;
  }

  std::string Encode(std::u16string_view text) const override {
    std::string bytes;
    if (!asciiUnchanged_) {
      AppendConverted(text, bytes);
      return bytes;
    }
    // ASCII stays as it is; only the runs between go through the converter.
    // A run never splits a surrogate pair: surrogates are not ASCII.
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
      std::size_t end = i;
      while (end < text.size() && text[end] < 0x80) ++end;
      const std::size_t start = bytes.size();
      bytes.resize(start + (end - i));
      char* out = bytes.data() + start;
      for (; i < end; ++i) *out++ = static_cast<char>(text[i]);
      while (end < text.size() && text[end] >= 0x80) ++end;
      if (end > i) AppendConverted(text.substr(i, end - i), bytes);
      i = end;
    }
    return bytes;
  }


 private:
  WindowsCodePage(unsigned codePage, ConverterPtr decoder, ConverterPtr encoder)
      : codePage_(codePage), decoder_(std::move(decoder)), encoder_(std::move(encoder)) {
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(decoder_.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &error);
    error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(encoder_.get(), WriteQuestionMarkPerCodeUnit, nullptr, nullptr,
                          nullptr, &error);
    ucnv_setFallback(encoder_.get(), true);
    for (unsigned byte = 0; byte < 256; ++byte) {
      const char unit[1] = {static_cast<char>(byte)};
      isLead_[byte] = StartsLongerSequence(unit[0]);
      single_[byte] = isLead_[byte] ? kReplacement : ConvertUnit({unit, 1});
    }
    for (unsigned byte = 0; byte < 0x80; ++byte) {
      if (isLead_[byte] || single_[byte] != byte) asciiUnchanged_ = false;
    }
  }

  void AppendConverted(std::u16string_view text, std::string& bytes) const {
    std::u16string filtered;
    for (const ForcedQuestionMarks& row : kForcedQuestionMarks) {
      if (row.codePage != codePage_) continue;
      if (std::none_of(text.begin(), text.end(), [&](char16_t c) { return IsForced(row, c); })) {
        continue;
      }
      filtered.assign(text);
      std::replace_if(filtered.begin(), filtered.end(),
                      [&](char16_t c) { return IsForced(row, c); }, kReplacement);
      text = filtered;
    }
    const std::size_t start = bytes.size();
    bytes.resize(start + text.size() *
                             static_cast<std::size_t>(ucnv_getMaxCharSize(encoder_.get())));
    UErrorCode error = U_ZERO_ERROR;
    ucnv_resetFromUnicode(encoder_.get());
    const int32_t length = ucnv_fromUChars(encoder_.get(), bytes.data() + start,
                                           static_cast<int32_t>(bytes.size() - start),
                                           text.data(), static_cast<int32_t>(text.size()), &error);
    // U_STRING_NOT_TERMINATED_WARNING only says there was no room for a NUL.
    bytes.resize(start + (U_FAILURE(error) ? 0 : static_cast<std::size_t>(length)));
  }

  static bool IsForced(const ForcedQuestionMarks& row, char16_t c) {
    return std::find(row.characters.begin(), row.characters.end(), c) != row.characters.end();
  }

  // A lead byte alone converts to nothing yet: the converter waits for more.
  bool StartsLongerSequence(char byte) {
    ucnv_resetToUnicode(decoder_.get());
    UChar out[4];
    UChar* target = out;
    const char* source = &byte;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(decoder_.get(), &target, out + 4, &source, &byte + 1, nullptr, false, &error);
    const bool pending = U_SUCCESS(error) && target == out;
    ucnv_resetToUnicode(decoder_.get());
    return pending;
  }

  char16_t ConvertUnit(std::string_view unit) const {
    ucnv_resetToUnicode(decoder_.get());
    UChar out[4];
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(decoder_.get(), out, 4, unit.data(),
                                         static_cast<int32_t>(unit.size()), &error);
    if (U_FAILURE(error) || length != 1) return kReplacement;
    return out[0];
  }

  char16_t DecodePair(unsigned char lead, unsigned char trail) const {
    char16_t& cached = pairs_[lead << 8 | trail];
    if (cached == 0) {
      const char unit[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      cached = ConvertUnit({unit, 2});
    }
    return cached;
  }

  unsigned codePage_;
  ConverterPtr decoder_;
  ConverterPtr encoder_;
  bool asciiUnchanged_ = true;  // bytes 00 to 7F are the characters U+0000 to U+007F
  std::array<bool, 256> isLead_{};
  std::array<char16_t, 256> single_{};
  // Filled on first use; 0 means not converted yet (no pair decodes to NUL).
  mutable std::array<char16_t, 65536> pairs_{};
};

}  // namespace

std::unique_ptr<CodePage> CodePage::Open(unsigned number) {
  if (number == kUtf8CodePage) return std::make_unique<Utf8CodePage>();
  return WindowsCodePage::Open(number);
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string bytes(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(bytes.data(), static_cast<int32_t>(bytes.size()), &length, text.data(),
                     static_cast<int32_t>(text.size()), kSubstitute, nullptr, &error);
  bytes.resize(U_FAILURE(error) ? 0 : static_cast<std::size_t>(length));
  return bytes;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(text.data(), static_cast<int32_t>(text.size()), &length, bytes.data(),
                       static_cast<int32_t>(bytes.size()), kSubstitute, nullptr, &error);
  text.resize(U_FAILURE(error) ? 0 : static_cast<std::size_t>(length));
  return text;
}

}  // namespace platform
