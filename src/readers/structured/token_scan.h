// Cutting 顺无盘's client list into tokens at a fixed set of delimiter bytes.
#pragma once

#include <string_view>
#include <vector>

// The maximal runs of bytes that are not delimiters, in order, up to the first
// NUL byte. The views point into `bytes`. A double-byte character of the ANSI
// code page is never cut: its trail byte may equal "[", "]", "{" or "}".
[[nodiscard]] std::vector<std::string_view> ScanTokens(std::string_view bytes);
