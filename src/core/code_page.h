// The narrow code page that stands for the Windows system ANSI code page.
#pragma once

#include <string>
#include <string_view>

inline constexpr unsigned kDefaultAnsiCodePage = 936;
inline constexpr unsigned kUtf8CodePage = 65001;

// Chooses the code page for every later conversion (936 until told otherwise).
// Gives false, and keeps the current one, for a code page we cannot convert.
[[nodiscard]] bool SetAnsiCodePage(unsigned codePage);
[[nodiscard]] unsigned AnsiCodePage();

// Decodes ANSI bytes up to the first NUL: a lead byte takes the next byte with
// it unless that is NUL or the end; any unit without a mapping becomes "?".
[[nodiscard]] std::u16string AnsiToWide(std::string_view bytes);

// The same decoding from a given code page, whatever the ANSI one is; an
// unknown code page gives an empty text.
[[nodiscard]] std::u16string CodePageToWide(unsigned codePage, std::string_view bytes);
// True when the byte starts a double-byte character of the ANSI code page: it
// takes the next byte with it, whatever that byte is, unless it is NUL. Never
// true for UTF-8, whose multi-byte characters hold no ASCII bytes.
[[nodiscard]] bool IsAnsiLeadByte(unsigned char byte);

// Encodes the whole text with the code page's best-fit characters; every code
// unit without a mapping becomes one "?".
[[nodiscard]] std::string WideToAnsi(std::u16string_view text);
