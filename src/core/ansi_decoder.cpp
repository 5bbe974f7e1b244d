// ANSI decoding with an ASCII shortcut.
#include "core/ansi_decoder.h"

namespace {

bool IsAscii(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value != 0 && value < 0x80;
}

}  // namespace

AnsiDecoder::AnsiDecoder(const platform::CodePage& ansi) : ansi_(ansi) {
  for (unsigned byte = 0; byte < 256; ++byte) {
    isLead_[byte] = ansi.IsLeadByte(static_cast<unsigned char>(byte));
  }
  for (char16_t c = 1; c < 0x80 && asciiAsItself_; ++c) {
    asciiAsItself_ = !isLead_[c] &&
                     ansi.Decode(std::string(1, static_cast<char>(c))) == std::u16string(1, c);
  }
  // Whether a cut between the bytes of a broken UTF-8 sequence and the ASCII
  // after them could change the replacements is not ours to tell.
  splits_ = asciiAsItself_ && ansi.number() != platform::kUtf8CodePage;
}

template <typename Ascii, typename Other>
void AnsiDecoder::Split(std::string_view bytes, Ascii&& ascii, Other&& other) const {
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size;) {
    std::size_t end = i;
    while (end < size && IsAscii(bytes[end])) ++end;
    if (end > i) ascii(bytes.substr(i, end - i));
    i = end;
    // A lead byte takes the next byte with it, ASCII or not, unless that is
    // NUL; no ASCII byte is a lead byte.
    while (end < size && static_cast<unsigned char>(bytes[end]) >= 0x80) {
      const bool pair = isLead_[static_cast<unsigned char>(bytes[end])] && end + 1 < size &&
                        bytes[end + 1] != '\0';
      end += pair ? 2 : 1;
    }
    if (end > i) other(bytes.substr(i, end - i));
    if (end < size && bytes[end] == '\0') return;
    i = end;
  }
}

std::size_t AnsiDecoder::WholeCharacters(std::string_view bytes) const {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (!isLead_[static_cast<unsigned char>(bytes[i])]) {
      ++i;
    } else if (i + 1 < bytes.size()) {
      i += 2;
    } else {
      return i;
    }
  }
  return i;
}

void AnsiDecoder::Decode(std::string_view bytes, std::u16string& text) const {
  if (asciiAsItself_) {
    // Most values are ASCII from start to end: widened in one go.
    text.resize(bytes.size());
    char16_t* out = text.data();
    std::size_t i = 0;
    for (; i < bytes.size() && IsAscii(bytes[i]); ++i) out[i] = static_cast<char16_t>(bytes[i]);
    if (i == bytes.size() || bytes[i] == '\0' || splits_) {
      text.resize(i);
      Split(
          bytes.substr(i),
          [&](std::string_view run) {
            const std::size_t start = text.size();
            text.resize(start + run.size());
            char16_t* runOut = text.data() + start;
            for (const char byte : run) *runOut++ = static_cast<char16_t>(byte);
          },
          [&](std::string_view run) { text += ansi_.Decode(run); });
      return;
    }
  }
  text = ansi_.Decode(bytes);
}

void AnsiDecoder::AppendUtf8(std::string_view bytes, std::string& utf8) const {
  if (!splits_) {
    utf8 += platform::Utf16ToUtf8(ansi_.Decode(bytes));
    return;
  }
  // Each run decodes to whole characters, none a lone surrogate, so the
  // UTF-8 of the whole is that of the runs one after another.
  Split(
      bytes, [&](std::string_view run) { utf8 += run; },
      [&](std::string_view run) { utf8 += platform::Utf16ToUtf8(ansi_.Decode(run)); });
}
