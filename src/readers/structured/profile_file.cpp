// Profile file parsing: lines, section headers, keys and values.
#include "readers/structured/profile_file.h"

#include "core/ascii.h"
#include "core/value_buffer.h"

namespace {

// What the profile functions trim: not U+3000, U+00A0 or other Unicode blanks.
bool IsProfileBlank(char16_t c) {
  return c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == u' ' ||
         c == u'\x1A';
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Names and values are C strings to the profile functions.
std::u16string_view UpToNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

std::u16string_view Clean(std::u16string_view text) { return UpToNul(Trim(text)); }

std::u16string FoldAToZ(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = AsciiLower(c);
  return folded;
}

std::u16string_view WithoutEnclosingQuotes(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

ProfileFile::ProfileFile(std::u16string_view text) {
  // nullptr where no key is ever looked up: before the first header, in a
  // section without a name, and in a later section of a name already seen.
  Keys* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(u"\r\n");
    ParseLine(text.substr(0, end), current);
    if (end == std::u16string_view::npos) break;
    const bool crLf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
    text.remove_prefix(end + (crLf ? 2 : 1));
  }
}

void ProfileFile::ParseLine(std::u16string_view line, Keys*& current) {
  line = Trim(line);
  if (line.empty()) return;
  if (line.front() == u'[') {
    const std::size_t close = line.rfind(u']');
    if (close != 0 && close != std::u16string_view::npos) {
      const std::u16string_view name = Clean(line.substr(1, close - 1));
      if (name.empty()) {
        current = nullptr;
        return;
      }
      sectionNames_.emplace_back(name);
      // Only the first section of a name is ever looked up.
      const auto [section, isFirst] = sections_.try_emplace(FoldAToZ(name));
      current = isFirst ? &section->second : nullptr;
      return;
    }
  }
  if (!current) return;
  const std::size_t equals = line.find(u'=');
  const std::u16string_view key = Clean(line.substr(0, equals));
  const std::u16string_view value =
      equals == std::u16string_view::npos ? std::u16string_view() : Clean(line.substr(equals + 1));
  current->try_emplace(FoldAToZ(key), value);
}

std::size_t ProfileFile::SectionNameListLength() const {
  std::size_t length = 0;
  for (const std::u16string& name : sectionNames_) length += name.size() + 1;
  return length;
}

std::u16string ProfileFile::Value(std::u16string_view section, std::u16string_view key) const {
  const auto keys = sections_.find(FoldAToZ(section));
  if (keys == sections_.end()) return {};
  const auto value = keys->second.find(FoldAToZ(key));
  if (value == keys->second.end()) return {};
  return std::u16string(CutToValueBuffer(WithoutEnclosingQuotes(value->second)));
}
