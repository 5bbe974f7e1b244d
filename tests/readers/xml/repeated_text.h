// Long values for the XML reader tests: one piece of text many times over.
#pragma once

#include <string>
#include <string_view>

template <typename Char>
std::basic_string<Char> RepeatedText(int count, std::basic_string_view<Char> piece) {
  std::basic_string<Char> text;
  text.reserve(static_cast<std::size_t>(count) * piece.size());
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

inline std::string Times(int count, std::string_view piece) { return RepeatedText(count, piece); }
inline std::u16string Times(int count, std::u16string_view piece) {
  return RepeatedText(count, piece);
}
