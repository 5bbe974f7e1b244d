// The characters of a profile (INI) file, from its bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

// A UTF-16LE, UTF-16BE or UTF-8 byte-order mark says how the rest is encoded
// (the mark itself is dropped); any other file is in the ANSI code page. NUL
// characters are kept: the profile parser gives them their meaning.
[[nodiscard]] std::u16string DecodeProfileText(std::string_view bytes,
                                               const platform::CodePage& ansi);

// Takes the next piece of the text; false stops the decoding.
using ProfileTextSink = std::function<bool(std::u16string_view piece)>;

inline constexpr std::size_t kProfilePieceBytes = std::size_t{1} << 16;

// The same text in pieces of about `pieceBytes` bytes of the file each, so
// that a large file is never held decoded whole. Pieces end where the decoding
// of the whole would start a new character, so they decode as in the whole.
void DecodeProfileTextInPieces(std::string_view bytes, const platform::CodePage& ansi,
                               const ProfileTextSink& take,
                               std::size_t pieceBytes = kProfilePieceBytes);
