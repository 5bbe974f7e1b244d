// Parsing an XML source for a reader, with the user's message on every failure.
#pragma once

#include <optional>
#include <string_view>

#include "core/read_outcome.h"
#include "core/source_request.h"
#include "readers/xml/xml_content_handler.h"

// Streams the source file through the parser: by its byte-order mark, else
// its declared encoding, else UTF-8. A NUL character after the root element
// ends the document. A file that cannot be read fails with the type's open
// message, text that is not well-formed (or that we refuse) with
// "源文件格式不正确!" and the parser's words. Nothing when the whole
// document was handed over and is well-formed.
[[nodiscard]] std::optional<ReadFailure> ParseXmlSourceFile(const SourceRequest& request,
                                                            XmlContentHandler& handler);

// Parses the source file decoded from the ANSI code page up to its first zero
// byte, whatever encoding it declares; first cut after the first `cutAfter`
// when that is given and found. The file is read in pieces (whole in UTF-8)
// but fails as a whole read would: each failing step with the type's message,
// before any failure of the text.
[[nodiscard]] std::optional<ReadFailure> ParseAnsiXmlSourceFile(const SourceRequest& request,
                                                                XmlContentHandler& handler,
                                                                std::u16string_view cutAfter = {});

// For a source whose machines should stand below an element that is missing.
[[nodiscard]] ReadFailure MissingXmlElement(std::u16string_view path);
