// A profile (INI) file parsed once, answering as the Windows profile functions do.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "readers/structured/profile_line.h"

// What a parse keeps of a profile file; by default all of it.
struct ProfileSelection {
  // The keys whose values are kept, in any case of A to Z; nothing: every key.
  std::optional<std::vector<std::u16string_view>> keys;
  // The parse stops at the section name that brings SectionNameListLength()
  // to this many characters; that name is not listed.
  std::size_t nameListLimit = std::numeric_limits<std::size_t>::max();
};

class ProfileFile {
 public:
  // The whole text, every key kept.
  explicit ProfileFile(std::u16string_view text);

  // Nothing yet: Feed gives the text piece by piece, Finish ends its last line.
  explicit ProfileFile(const ProfileSelection& selection);
  void Feed(std::u16string_view piece);
  void Finish();

  // The name list reached the selection's limit; nothing after it was read.
  [[nodiscard]] bool NameListFull() const { return nameListFull_; }

  // The names of the sections in file order, duplicates included; a section
  // whose name is empty is not listed.
  [[nodiscard]] const std::vector<std::u16string>& SectionNames() const { return sectionNames_; }

  // The characters the Windows section-name list takes: each name and its NUL.
  [[nodiscard]] std::size_t SectionNameListLength() const { return nameListLength_; }

  // The key's value in the first section of that name, "" when either is
  // missing or the key is not kept. Names match with A to Z folded only; the
  // first occurrence of a key wins; one pair of enclosing quotes is dropped;
  // the value is cut to what a 260-unit value buffer holds.
  [[nodiscard]] std::u16string Value(std::u16string_view section, std::u16string_view key) const;

 private:
  using Keys = std::unordered_map<std::u16string, std::u16string>;  // folded key -> value

  void EndLine();
  void StartSection();
  void AddKey();

  std::optional<std::vector<std::u16string>> keptKeys_;  // folded
  std::size_t nameListLimit_;
  ProfileLine line_;
  // nullptr where no key is ever looked up: before the first header, in a
  // section without a name, and in a later section of a name already seen.
  Keys* current_ = nullptr;
  bool nameListFull_ = false;
  std::size_t nameListLength_ = 0;
  std::vector<std::u16string> sectionNames_;
  std::unordered_map<std::u16string, Keys> sections_;  // folded name -> keys of its first section
};
