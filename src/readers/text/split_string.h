// Splitting a line at one delimiter character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Replaces fields with the pieces of text between delimiters. Every delimiter
// ends a field; what follows the last delimiter is a field only if not empty.
void SplitString(std::u16string_view text, std::vector<std::u16string>& fields,
                 char16_t delimiter);
