// Opening an XML source for a reader, with the user's message on every failure.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/read_outcome.h"
#include "core/source_request.h"
#include "readers/xml/xml_document.h"

// A loaded document, or why there is none.
struct LoadedXml {
  std::optional<XmlDocument> document;
  std::optional<ReadFailure> failure;
};

// Loads the source file by its byte-order mark or declared encoding. A file
// that cannot be read fails with the type's open message, text that is not
// well-formed with "源文件格式不正确!" and the parser's words.
[[nodiscard]] LoadedXml LoadXmlSourceFile(const SourceRequest& request);

// Loads the whole source file decoded from the ANSI code page up to its first
// zero byte, whatever encoding it declares; first cut after the first `cutAfter`
// when that is given and found. Each failing step fails with the type's message.
[[nodiscard]] LoadedXml LoadAnsiXmlSourceFile(const SourceRequest& request,
                                              std::u16string_view cutAfter = {});

// For a source whose machines should stand below an element that is missing.
[[nodiscard]] ReadFailure MissingXmlElement(std::u16string_view path);
