// Opening an XML source for a reader, with the user's message on every failure.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/conversion_host.h"
#include "core/source_file.h"
#include "readers/xml/xml_document.h"

// Loads the file at path. Shows "打开源文件失败!" when it cannot be read and
// "源文件格式不正确!" when it is not well-formed; gives nothing then.
[[nodiscard]] std::optional<XmlDocument> LoadXmlSourceFile(const std::u16string& path,
                                                           ConversionHost& host);

// The whole file decoded from the ANSI code page up to its first zero byte,
// whatever encoding it declares; the type's own messages on failure.
[[nodiscard]] std::optional<std::u16string> ReadAnsiXmlSourceText(
    const std::u16string& path, const WholeFileMessages& messages, ConversionHost& host);

// Parses decoded text; shows "源文件格式不正确!" when it is not well-formed.
[[nodiscard]] std::optional<XmlDocument> LoadXmlSourceText(std::u16string_view text,
                                                           ConversionHost& host);

// For a source whose machines should stand below an element that is missing.
void ShowMissingXmlElement(std::u16string_view path, ConversionHost& host);
