// The one case fold the program uses: the letters A to Z only, whatever the locale.
#pragma once

#include <algorithm>
#include <string_view>

template <typename Char>
[[nodiscard]] constexpr Char AsciiLower(Char c) {
  return c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
}

template <typename Char>
[[nodiscard]] constexpr Char AsciiUpper(Char c) {
  return c >= Char('a') && c <= Char('z') ? Char(c - Char('a') + Char('A')) : c;
}

template <typename Char>
[[nodiscard]] constexpr bool EqualsIgnoringAsciiCase(std::basic_string_view<Char> a,
                                                     std::basic_string_view<Char> b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](Char x, Char y) { return AsciiLower(x) == AsciiLower(y); });
}

[[nodiscard]] constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return EqualsIgnoringAsciiCase<char>(a, b);
}
