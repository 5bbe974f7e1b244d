// A profile (INI) file parsed once, answering as the Windows profile functions do.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ProfileFile {
 public:
  explicit ProfileFile(std::u16string_view text);

  // The names of the sections in file order, duplicates included; a section
  // whose name is empty is not listed.
  [[nodiscard]] const std::vector<std::u16string>& SectionNames() const { return sectionNames_; }

  // The characters the Windows section-name list takes: each name and its NUL.
  [[nodiscard]] std::size_t SectionNameListLength() const;

  // The key's value in the first section of that name, "" when either is
  // missing. Names match with A to Z folded only; the first occurrence of a
  // key wins; one pair of enclosing quotes is dropped; the value is cut to
  // what a 260-unit value buffer holds.
  [[nodiscard]] std::u16string Value(std::u16string_view section, std::u16string_view key) const;

 private:
  using Keys = std::unordered_map<std::u16string, std::u16string>;  // folded key -> raw value

  void ParseLine(std::u16string_view line, Keys*& current);

  std::vector<std::u16string> sectionNames_;
  std::unordered_map<std::u16string, Keys> sections_;  // folded name -> keys of its first section
};
