// Feeding XML sources to the parser.
#include "readers/xml/xml_source.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "core/ansi_decoder.h"
#include "core/source_bytes.h"
#include "core/utf8.h"
#include "platform/source_file.h"
#include "readers/xml/xml_encoding.h"
#include "readers/xml/xml_stream_parser.h"

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;

ReadFailure NotWellFormed(const XmlStreamParser& parser) {
  return {Message::SourceFormatInvalid, parser.FailureDetail()};
}

// Fills the buffer unless the file ends first, so that every buffer but the
// last holds whole UTF-16 units; nothing on a read error.
std::optional<std::size_t> ReadBuffer(platform::SourceFile& file, char* buffer) {
  std::size_t filled = 0;
  while (filled < kBufferSize) {
    const std::optional<std::size_t> count = file.Read(buffer + filled, kBufferSize - filled);
    if (!count) return std::nullopt;
    if (*count == 0) break;
    filled += *count;
  }
  return filled;
}

}  // namespace

std::optional<ReadFailure> ParseXmlSourceFile(const SourceRequest& request,
                                              XmlContentHandler& handler) {
  const ReadFailure unreadable{request.messages.openFailed, {}};
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
  if (!file) return unreadable;
  // Refused as it was when sources were read whole: its size must fit 32 bits.
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size > kMaxWholeFileSize) return unreadable;

  const auto buffer = std::make_unique<char[]>(kBufferSize);
  std::optional<std::size_t> filled = ReadBuffer(*file, buffer.get());
  if (!filled) return unreadable;
  const XmlInputEncoding encoding =
      DetectXmlInputEncoding(std::string_view(buffer.get(), *filled));
  XmlStreamParser parser(handler, encoding.forced);
  while (*filled > 0) {
    std::string_view bytes(buffer.get(), *filled);
    const std::size_t nul = FindNulCharacter(bytes, encoding);
    if (nul != std::string_view::npos) {
      if (!parser.Parse(bytes.substr(0, nul))) return NotWellFormed(parser);
      // Some of these files are padded after the document: a NUL there ends it.
      if (parser.RootClosed()) break;
      bytes.remove_prefix(nul);
    }
    if (!parser.Parse(bytes)) return NotWellFormed(parser);
    filled = ReadBuffer(*file, buffer.get());
    if (!filled) return unreadable;
  }
  if (!parser.Finish()) return NotWellFormed(parser);
  return std::nullopt;
}

namespace {

// The text of a source read in the ANSI code page, with "</PXD>"-like cut.
class AnsiXmlText {
 public:
  AnsiXmlText(XmlStreamParser& parser, std::u16string_view cutAfter)
      : parser_(parser), end_(Utf16ToUtf8Whole(cutAfter)) {}

  // Hands the next UTF-8 text to the parser, up to the end where it stands
  // in it; false once the text has ended (or failed to parse).
  bool Take(std::string& utf8) {
    if (ended_) return false;
    if (!end_.empty()) {
      // The end may start in text handed over before.
      const std::string joined = tail_ + utf8;
      const std::size_t at = joined.find(end_);
      if (at != std::string::npos) {
        utf8.resize(at + end_.size() - tail_.size());
        ended_ = true;
      }
      tail_ = joined.substr(joined.size() - std::min(joined.size(), end_.size() - 1));
    }
    if (!parser_.Parse(utf8)) {
      failure_ = NotWellFormed(parser_);
      ended_ = true;
    }
    return !ended_;
  }
  void End() { ended_ = true; }
  [[nodiscard]] bool Ended() const { return ended_; }

  // After the last text: why the document is not one, or nothing.
  [[nodiscard]] std::optional<ReadFailure> Finish() {
    if (!failure_ && !parser_.Finish()) failure_ = NotWellFormed(parser_);
    return failure_;
  }

 private:
  XmlStreamParser& parser_;
  const std::string end_;
  std::string tail_;  // the last bytes handed over, fewer than end_ has
  bool ended_ = false;
  std::optional<ReadFailure> failure_;
};

// As the whole file was read before it was parsed, and with the same
// messages, for code pages whose text cannot be decoded in pieces.
std::optional<ReadFailure> ParseWholeAnsiXmlSourceFile(const SourceRequest& request,
                                                       XmlStreamParser& parser,
                                                       std::u16string_view cutAfter) {
  std::string utf8;
  {
    WholeSourceFile file = ReadWholeSourceFile(request.source, request.messages);
    if (file.failure) return file.failure;
    utf8.reserve(file.bytes.size());
    AnsiDecoder(request.context.ansi()).AppendUtf8(file.bytes, utf8);
  }
  AnsiXmlText text(parser, cutAfter);
  std::string piece;
  for (std::string_view rest = utf8; !rest.empty();) {
    const std::size_t length = std::min(rest.size(), kBufferSize);
    piece.assign(rest.substr(0, length));
    if (!text.Take(piece)) break;
    rest.remove_prefix(length);
  }
  return text.Finish();
}

}  // namespace

std::optional<ReadFailure> ParseAnsiXmlSourceFile(const SourceRequest& request,
                                                  XmlContentHandler& handler,
                                                  std::u16string_view cutAfter) {
  XmlStreamParser parser(handler, "UTF-8");
  const AnsiDecoder decoder(request.context.ansi());
  if (!decoder.DecodesInPieces()) return ParseWholeAnsiXmlSourceFile(request, parser, cutAfter);

  // Read in pieces as ReadWholeSourceFile reads the file whole: its size
  // bytes, each failing step with its own message. The text ends at the first
  // NUL or the cut, or where it stops being XML, but the rest is read all
  // the same, so that a read failing there still fails the run as it did.
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
  if (!file) return ReadFailure{request.messages.openFailed, {}};
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size == 0 || *size > kMaxWholeFileSize) {
    return ReadFailure{request.messages.sizeFailed, {}};
  }
  AnsiXmlText text(parser, cutAfter);
  const auto buffer = std::make_unique<char[]>(kBufferSize);
  std::size_t carried = 0;  // a lead byte whose partner is in the next piece
  std::string utf8;
  for (std::uint64_t left = *size; left > 0;) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(left, kBufferSize - carried));
    const std::optional<std::size_t> count = file->Read(buffer.get() + carried, wanted);
    if (!count || *count == 0) return ReadFailure{request.messages.readFailed, {}};
    left -= *count;
    if (text.Ended()) continue;
    std::string_view bytes(buffer.get(), carried + *count);
    const std::size_t nul = bytes.find('\0');
    bytes = bytes.substr(0, nul);
    const std::size_t whole =
        nul == std::string_view::npos && left > 0 ? decoder.WholeCharacters(bytes) : bytes.size();
    utf8.clear();
    decoder.AppendUtf8(bytes.substr(0, whole), utf8);
    carried = bytes.size() - whole;
    if (carried > 0) buffer[0] = bytes[whole];
    if (!text.Take(utf8) || nul != std::string_view::npos) text.End();
  }
  return text.Finish();
}

ReadFailure MissingXmlElement(std::u16string_view path) {
  return {Message::SourceFormatInvalid, "no element " + Utf16ToUtf8Whole(path)};
}
