// A profile line's parts, trimmed and cut as the profile functions do, held within limits.
#include "readers/structured/profile_line.h"

#include <algorithm>

#include "core/value_buffer.h"

namespace {

// What the profile functions trim: not U+3000, U+00A0 or other Unicode blanks.
bool IsProfileBlank(char16_t c) {
  return c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == u' ' ||
         c == u'\x1A';
}

std::u16string_view WithoutLeadingBlanks(std::u16string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsProfileBlank(text[first])) ++first;
  return text.substr(first);
}

// Enough for the value buffer's 259 units after an opening quote, and one
// more to show that the value goes on.
constexpr std::size_t kValueHeld = kValueBufferLimit + 2;

}  // namespace

void ProfileLinePart::Add(std::u16string_view text) {
  if (atNul_) return;
  if (!started_) {
    text = WithoutLeadingBlanks(text);
    if (text.empty()) return;
    started_ = true;
  }
  // Names and values are C strings to the profile functions.
  const std::size_t nul = text.find(u'\0');
  const std::u16string_view part = text.substr(0, nul);
  if (count_ < limit_) held_.append(part.substr(0, limit_ - count_));
  std::size_t nonBlankEnd = part.size();
  while (nonBlankEnd > 0 && IsProfileBlank(part[nonBlankEnd - 1])) --nonBlankEnd;
  if (nonBlankEnd > 0) {
    blankFrom_ = count_ + nonBlankEnd;
    lastNonBlank_ = part[nonBlankEnd - 1];
  }
  if (!part.empty()) lastAdded_ = part.back();
  count_ += part.size();
  if (nul != std::u16string_view::npos) {
    atNul_ = true;
    nulAt_ = count_;
  }
}

void ProfileLinePart::Clear() {
  held_.clear();
  started_ = false;
  atNul_ = false;
  count_ = 0;
  blankFrom_ = 0;
  nulAt_ = 0;
}

std::u16string_view ProfileLinePart::Held(std::size_t length) const {
  return std::u16string_view(held_).substr(0, std::min(length, held_.size()));
}

ProfileLine::ProfileLine(std::size_t nameLimit, std::size_t keyLimit)
    : nameLimit_(nameLimit), name_(nameLimit), key_(keyLimit), value_(kValueHeld) {}

void ProfileLine::Add(std::u16string_view text) {
  if (!started_) {
    text = WithoutLeadingBlanks(text);
    if (text.empty()) return;
    started_ = true;
    bracket_ = text.front() == u'[';
    if (bracket_) {
      key_.Add(text.substr(0, 1));
      text.remove_prefix(1);
    }
  }
  if (bracket_) AddToName(text);
  // A line starting with "[" and holding no "]" is a key line like any other.
  AddToKeyOrValue(text);
}

// The name runs to the last "]": the last one so far may be it.
void ProfileLine::AddToName(std::u16string_view text) {
  const std::size_t close = text.rfind(u']');
  if (close != std::u16string_view::npos) {
    name_.Add(text.substr(0, close));
    nameLength_ = name_.Length();
    text.remove_prefix(close);
  }
  name_.Add(text);
}

void ProfileLine::AddToKeyOrValue(std::u16string_view text) {
  if (!equals_) {
    const std::size_t equals = text.find(u'=');
    key_.Add(text.substr(0, equals));
    if (equals == std::u16string_view::npos) return;
    equals_ = true;
    text.remove_prefix(equals + 1);
  }
  value_.Add(text);
}

void ProfileLine::Clear() {
  started_ = false;
  bracket_ = false;
  equals_ = false;
  nameLength_.reset();
  name_.Clear();
  key_.Clear();
  value_.Clear();
}

std::u16string_view ProfileLine::Value() const {
  std::u16string_view value = value_.Held();
  const std::size_t length = value_.Length();
  if (length >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value_.Last() == value.front()) {
    value = value_.Held(length - 1).substr(1);
  }
  return CutToValueBuffer(value);
}
