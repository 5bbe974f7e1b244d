// Delimiter splitting without quoting or trimming.
#include "readers/text/split_string.h"

void SplitString(std::u16string_view text, std::vector<std::u16string>& fields,
                 char16_t delimiter) {
  fields.clear();
  std::size_t start = 0;
  for (std::size_t found = text.find(delimiter); found != std::u16string_view::npos;
       found = text.find(delimiter, start)) {
    fields.emplace_back(text.substr(start, found - start));
    start = found + 1;
  }
  if (start < text.size()) fields.emplace_back(text.substr(start));
}
