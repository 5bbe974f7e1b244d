// One line of a profile (INI) file, taken unit by unit and held only as far as
// its section name, key and value can be used.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A part of a line as the profile functions read it: blanks trimmed at both
// ends, then cut at the first NUL. Units past `limit` are counted, not held.
class ProfileLinePart {
 public:
  explicit ProfileLinePart(std::size_t limit) : limit_(limit) {}

  void Add(std::u16string_view text);
  void Clear();

  // The part's length were it to end here.
  [[nodiscard]] std::size_t Length() const { return atNul_ ? nulAt_ : blankFrom_; }
  // Its units as far as held: all of them while Length() <= limit.
  [[nodiscard]] std::u16string_view Held(std::size_t length) const;
  [[nodiscard]] std::u16string_view Held() const { return Held(Length()); }
  [[nodiscard]] bool Whole() const { return Length() <= limit_; }
  // The unit at Length() - 1; meaningless for an empty part.
  [[nodiscard]] char16_t Last() const { return atNul_ ? lastAdded_ : lastNonBlank_; }

 private:
  std::size_t limit_;
  std::u16string held_;
  bool started_ = false;    // a unit other than a leading blank came
  bool atNul_ = false;      // the part ended at a NUL; what follows is no part of it
  std::size_t count_ = 0;   // units since the leading blanks
  std::size_t blankFrom_ = 0;  // where the trailing blanks start
  std::size_t nulAt_ = 0;
  char16_t lastAdded_ = 0;
  char16_t lastNonBlank_ = 0;
};

// The limits say how many units of a section name and of a key are worth
// holding; a value is always held as far as the 260-unit value buffer needs.
class ProfileLine {
 public:
  ProfileLine(std::size_t nameLimit, std::size_t keyLimit);

  // More of the line; CR and LF end lines and never come here.
  void Add(std::u16string_view text);
  void Clear();

  // A header: the line starts with "[" and holds a "]" after it.
  [[nodiscard]] bool IsHeader() const { return nameLength_.has_value(); }
  [[nodiscard]] bool IsBlank() const { return !started_; }

  // The header's name, the text up to its last "]"; held whole when NameWhole().
  [[nodiscard]] std::u16string_view Name() const { return name_.Held(*nameLength_); }
  [[nodiscard]] bool NameWhole() const { return *nameLength_ <= nameLimit_; }

  // A key line's key (the whole line when it holds no "="); held whole when KeyWhole().
  [[nodiscard]] std::u16string_view Key() const { return key_.Held(); }
  [[nodiscard]] bool KeyWhole() const { return key_.Whole(); }

  // The value after the first "=", one pair of enclosing quotes dropped, cut
  // to what the value buffer holds.
  [[nodiscard]] std::u16string_view Value() const;

 private:
  void AddToName(std::u16string_view text);
  void AddToKeyOrValue(std::u16string_view text);

  std::size_t nameLimit_;
  bool started_ = false;
  bool bracket_ = false;  // the first unit other than a blank is "["
  bool equals_ = false;
  std::optional<std::size_t> nameLength_;  // the name's length up to the last "]" so far
  ProfileLinePart name_;
  ProfileLinePart key_;
  ProfileLinePart value_;
};
