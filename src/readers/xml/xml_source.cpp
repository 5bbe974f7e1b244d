// Opening XML sources for the readers.
#include "readers/xml/xml_source.h"

#include "core/source_bytes.h"
#include "core/utf8.h"

namespace {

LoadedXml NotWellFormed(const XmlDocument& document) {
  return {std::nullopt, ReadFailure{Message::SourceFormatInvalid, document.loadErrorDetail()}};
}

}  // namespace

LoadedXml LoadXmlSourceFile(const SourceRequest& request) {
  XmlDocument document;
  if (document.load(request.source)) return {std::move(document), std::nullopt};
  if (document.loadFailure() == XmlLoadFailure::Unreadable) {
    return {std::nullopt, ReadFailure{request.messages.openFailed, {}}};
  }
  return NotWellFormed(document);
}

LoadedXml LoadAnsiXmlSourceFile(const SourceRequest& request, std::u16string_view cutAfter) {
  const WholeSourceFile file = ReadWholeSourceFile(request.source, request.messages);
  if (file.failure) return {std::nullopt, file.failure};
  std::u16string text = request.context.ansi().Decode(file.bytes);
  if (!cutAfter.empty()) {
    // Some of these files hold further bytes after the document's end.
    const std::size_t end = text.find(cutAfter);
    if (end != std::u16string::npos) text.resize(end + cutAfter.size());
  }
  XmlDocument document;
  if (!document.loadXML(text)) return NotWellFormed(document);
  return {std::move(document), std::nullopt};
}

ReadFailure MissingXmlElement(std::u16string_view path) {
  return {Message::SourceFormatInvalid, "no element " + Utf16ToUtf8Whole(path)};
}
