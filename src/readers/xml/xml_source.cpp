// Feeding XML sources to the parser.
#include "readers/xml/xml_source.h"

#include <algorithm>
#include <memory>

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

std::optional<ReadFailure> ParseAnsiXmlSourceFile(const SourceRequest& request,
                                                  XmlContentHandler& handler,
                                                  std::u16string_view cutAfter) {
  std::string utf8;
  {
    WholeSourceFile file = ReadWholeSourceFile(request.source, request.messages);
    if (file.failure) return file.failure;
    utf8.reserve(file.bytes.size());
    AnsiDecoder(request.context.ansi()).AppendUtf8(file.bytes, utf8);
    file.bytes = std::string();
    if (!cutAfter.empty()) {
      // Some of these files hold further bytes after the document's end. The
      // text is whole characters, so where cutAfter first stands in it is
      // where its UTF-8 first stands in the text's UTF-8.
      const std::string end = Utf16ToUtf8Whole(cutAfter);
      const std::size_t at = utf8.find(end);
      if (at != std::string::npos) utf8.resize(at + end.size());
    }
  }
  XmlStreamParser parser(handler, "UTF-8");
  for (std::string_view rest = utf8; !rest.empty();) {
    const std::size_t length = std::min(rest.size(), kBufferSize);
    if (!parser.Parse(rest.substr(0, length))) return NotWellFormed(parser);
    rest.remove_prefix(length);
  }
  if (!parser.Finish()) return NotWellFormed(parser);
  return std::nullopt;
}

ReadFailure MissingXmlElement(std::u16string_view path) {
  return {Message::SourceFormatInvalid, "no element " + Utf16ToUtf8Whole(path)};
}
