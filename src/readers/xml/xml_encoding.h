// The encodings that load reads differently from the XML library: gb2312 and gbk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The encoding named in the XML declaration at the start of bytes, as written;
// empty when there is none.
[[nodiscard]] std::string DeclaredEncoding(std::string_view bytes);

// For a document without a byte-order mark that declares "gb2312" or "gbk"
// (any case): its text in UTF-8, decoded as code page 936 as Windows reads
// such documents, so characters beyond GB2312 survive. Nothing otherwise.
[[nodiscard]] std::optional<std::string> DecodeCodePage936Document(std::string_view bytes);
