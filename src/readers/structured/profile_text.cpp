// Byte-order mark detection and decoding for profile files, piece by piece.
#include "readers/structured/profile_text.h"

#include <algorithm>
#include <array>

#include "core/byte_order_mark.h"
#include "core/utf8.h"

namespace {

// Gathers decoded text and hands it on once a piece is full.
class PieceOutput {
 public:
  PieceOutput(const ProfileTextSink& take, std::size_t pieceUnits)
      : take_(take), pieceUnits_(pieceUnits) {}

  // False once the taker has stopped.
  bool Append(std::u16string_view text) {
    text_ += text;
    return text_.size() < pieceUnits_ || Flush();
  }

  bool Flush() {
    if (text_.empty()) return true;
    const bool more = take_(text_);
    text_.clear();
    return more;
  }

 private:
  const ProfileTextSink& take_;
  std::size_t pieceUnits_;
  std::u16string text_;
};

// An odd last byte is no code unit and is dropped.
bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::size_t pieceBytes,
                 PieceOutput& out) {
  std::u16string units;
  const std::size_t pieceUnits = std::max<std::size_t>(pieceBytes / 2, 1);
  for (std::size_t i = 0; i + 1 < bytes.size();) {
    units.clear();
    for (; i + 1 < bytes.size() && units.size() < pieceUnits; i += 2) {
      const auto first = static_cast<unsigned char>(bytes[i]);
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      units.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    if (!out.Append(units)) return false;
  }
  return true;
}

bool IsAscii(char byte) { return static_cast<unsigned char>(byte) < 0x80; }
bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// No UTF-8 sequence runs on over a byte that cannot continue one, nor past
// three continuation bytes in a row.
bool StartsUtf8Afresh(std::string_view run, std::size_t at) {
  if (!IsUtf8Continuation(run[at])) return true;
  return at >= 3 && IsUtf8Continuation(run[at - 1]) && IsUtf8Continuation(run[at - 2]) &&
         IsUtf8Continuation(run[at - 3]);
}

// Where the next UTF-8 piece of a run without NUL ends. Before an ASCII byte
// every decoder starts afresh, so one is looked for first.
std::size_t Utf8PieceEnd(std::string_view run, std::size_t pieceBytes) {
  if (run.size() <= pieceBytes) return run.size();
  for (std::size_t at = pieceBytes; at > 0; --at) {
    if (IsAscii(run[at])) return at;
  }
  for (std::size_t at = pieceBytes; at > 0; --at) {
    if (StartsUtf8Afresh(run, at)) return at;
  }
  for (std::size_t at = pieceBytes + 1; at < run.size(); ++at) {
    if (StartsUtf8Afresh(run, at)) return at;
  }
  return run.size();
}

// Where the next piece of a run without NUL ends in a code page: never
// between a lead byte and the byte it takes with it.
class CodePagePieces {
 public:
  explicit CodePagePieces(const platform::CodePage& ansi) {
    for (unsigned byte = 0; byte < 256; ++byte) {
      isLead_[byte] = ansi.IsLeadByte(static_cast<unsigned char>(byte));
      anyLead_ = anyLead_ || isLead_[byte];
    }
  }

  std::size_t End(std::string_view run, std::size_t pieceBytes) const {
    if (run.size() <= pieceBytes) return run.size();
    if (!anyLead_) return pieceBytes;
    std::size_t at = 0;
    while (at < pieceBytes) {
      at += isLead_[static_cast<unsigned char>(run[at])] && at + 1 < run.size() ? 2 : 1;
    }
    return at;
  }

 private:
  std::array<bool, 256> isLead_{};
  bool anyLead_ = false;
};

// The decoders stop at a NUL byte, so each run between NULs is decoded alone.
// No multi-byte character of UTF-8 or of a Windows code page holds a NUL byte.
template <typename PieceEnd, typename Decoder>
bool DecodeKeepingNuls(std::string_view bytes, PieceEnd pieceEnd, Decoder decode,
                       PieceOutput& out) {
  for (;;) {
    const std::size_t nul = bytes.find('\0');
    for (std::string_view run = bytes.substr(0, nul); !run.empty();) {
      const std::size_t end = pieceEnd(run);
      if (!out.Append(decode(run.substr(0, end)))) return false;
      run.remove_prefix(end);
    }
    if (nul == std::string_view::npos) return true;
    if (!out.Append(std::u16string_view(u"\0", 1))) return false;
    bytes.remove_prefix(nul + 1);
  }
}

bool DecodeUtf8(std::string_view bytes, std::size_t pieceBytes, PieceOutput& out) {
  return DecodeKeepingNuls(
      bytes, [&](std::string_view run) { return Utf8PieceEnd(run, pieceBytes); },
      [](std::string_view run) { return Utf8ToWide(run); }, out);
}

bool DecodeAnsi(std::string_view bytes, const platform::CodePage& ansi, std::size_t pieceBytes,
                PieceOutput& out) {
  if (ansi.number() == platform::kUtf8CodePage) return DecodeUtf8(bytes, pieceBytes, out);
  const CodePagePieces pieces(ansi);
  return DecodeKeepingNuls(
      bytes, [&](std::string_view run) { return pieces.End(run, pieceBytes); },
      [&](std::string_view run) { return ansi.Decode(run); }, out);
}

bool DecodeAll(std::string_view bytes, const platform::CodePage& ansi, std::size_t pieceBytes,
               PieceOutput& out) {
  const std::optional<ByteOrderMark> mark = LeadingByteOrderMark(bytes);
  if (!mark) return DecodeAnsi(bytes, ansi, pieceBytes, out);
  bytes.remove_prefix(mark->bytes.size());
  switch (mark->encoding) {
    case TextEncoding::Utf16Le:
      return DecodeUtf16(bytes, false, pieceBytes, out);
    case TextEncoding::Utf16Be:
      return DecodeUtf16(bytes, true, pieceBytes, out);
    case TextEncoding::Utf8:
      break;
  }
  return DecodeUtf8(bytes, pieceBytes, out);
}

}  // namespace

void DecodeProfileTextInPieces(std::string_view bytes, const platform::CodePage& ansi,
                               const ProfileTextSink& take, std::size_t pieceBytes) {
  pieceBytes = std::max<std::size_t>(pieceBytes, 1);
  PieceOutput out(take, pieceBytes);
  if (DecodeAll(bytes, ansi, pieceBytes, out)) out.Flush();
}

std::u16string DecodeProfileText(std::string_view bytes, const platform::CodePage& ansi) {
  std::u16string text;
  text.reserve(bytes.size());
  DecodeProfileTextInPieces(bytes, ansi, [&](std::u16string_view piece) {
    text += piece;
    return true;
  });
  return text;
}
