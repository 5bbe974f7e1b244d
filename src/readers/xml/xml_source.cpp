// Opening XML sources for the readers.
#include "readers/xml/xml_source.h"

#include "core/code_page.h"
#include "core/utf8.h"

namespace {

std::optional<XmlDocument> Failed(const XmlDocument& document, ConversionHost& host) {
  if (document.loadFailure() == XmlLoadFailure::Unreadable) {
    host.ShowMessage(Message::OpenSourceFailed);
  } else {
    host.ShowMessage(Message::SourceFormatInvalid, document.loadErrorDetail());
  }
  return std::nullopt;
}

}  // namespace

std::optional<XmlDocument> LoadXmlSourceFile(const std::u16string& path, ConversionHost& host) {
  XmlDocument document;
  if (!document.load(path)) return Failed(document, host);
  return document;
}

std::optional<std::u16string> ReadAnsiXmlSourceText(const std::u16string& path,
                                                    const WholeFileMessages& messages,
                                                    ConversionHost& host) {
  const std::optional<std::string> bytes = ReadWholeSourceFile(path, messages, host);
  if (!bytes) return std::nullopt;
  return AnsiToWide(*bytes);
}

std::optional<XmlDocument> LoadXmlSourceText(std::u16string_view text, ConversionHost& host) {
  XmlDocument document;
  if (!document.loadXML(text)) return Failed(document, host);
  return document;
}

void ShowMissingXmlElement(std::u16string_view path, ConversionHost& host) {
  host.ShowMessage(Message::SourceFormatInvalid, "no element " + Utf16ToUtf8Whole(path));
}
