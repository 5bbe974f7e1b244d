// Which encodings a document may declare, by the names documents use for them.
#pragma once

#include <optional>
#include <string_view>

// For another name of an encoding the parser knows itself ("utf8", "latin1",
// "ascii"): the parser's own name for it ("UTF-8", "ISO-8859-1", "US-ASCII").
// Null for any other name.
[[nodiscard]] const char* ParserEncodingNameFor(std::string_view declared);

// The Windows code page a declared encoding is read in, any case: "gb2312",
// "gbk" and "cp936" are 936, "big5" 950, "shift_jis" 932, "windows-1252"
// 1252 and so on. Only code pages whose characters take one or two bytes.
// Nothing for a name we do not read.
[[nodiscard]] std::optional<unsigned> CodePageForEncodingName(std::string_view declared);
