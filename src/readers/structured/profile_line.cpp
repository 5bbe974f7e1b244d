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

// Enough for the value buffer's 259 units after an opening quote, and one
// more to show that the value goes on.
constexpr std::size_t kValueHeld = kValueBufferLimit + 2;

}  // namespace

void ProfileLinePart::Add(char16_t c) {
  if (atNul_) return;
  if (!started_) {
    if (IsProfileBlank(c)) return;
    started_ = true;
  }
  // Names and values are C strings to the profile functions.
  if (c == u'\0') {
    atNul_ = true;
    nulAt_ = count_;
    return;
  }
  if (count_ < limit_) held_.push_back(c);
  ++count_;
  lastAdded_ = c;
  if (!IsProfileBlank(c)) {
    blankFrom_ = count_;
    lastNonBlank_ = c;
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

void ProfileLine::Add(char16_t c) {
  if (!started_) {
    if (IsProfileBlank(c)) return;
    started_ = true;
    bracket_ = c == u'[';
  } else if (bracket_) {
    // The name runs to the last "]": each one may be it.
    if (c == u']') nameLength_ = name_.Length();
    name_.Add(c);
  }
  // A line starting with "[" and holding no "]" is a key line like any other.
  if (equals_) {
    value_.Add(c);
  } else if (c == u'=') {
    equals_ = true;
  } else {
    key_.Add(c);
  }
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
