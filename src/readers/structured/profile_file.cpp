// Profile file parsing: lines, section headers, keys and values.
#include "readers/structured/profile_file.h"

#include <algorithm>

#include "core/ascii.h"

namespace {

std::u16string FoldAToZ(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = AsciiLower(c);
  return folded;
}

// A key longer than every kept one is none of them: no more of it is held.
std::size_t KeyLimit(const ProfileSelection& selection) {
  if (!selection.keys) return std::numeric_limits<std::size_t>::max();
  std::size_t longest = 0;
  for (const std::u16string_view key : *selection.keys) longest = std::max(longest, key.size());
  return longest;
}

}  // namespace

ProfileFile::ProfileFile(std::u16string_view text) : ProfileFile(ProfileSelection{}) {
  Feed(text);
  Finish();
}

ProfileFile::ProfileFile(const ProfileSelection& selection)
    : nameListLimit_(selection.nameListLimit),
      line_(selection.nameListLimit, KeyLimit(selection)) {
  if (selection.keys) {
    keptKeys_.emplace();
    for (const std::u16string_view key : *selection.keys) keptKeys_->push_back(FoldAToZ(key));
  }
}

void ProfileFile::Feed(std::u16string_view piece) {
  while (!piece.empty() && !nameListFull_) {
    // A CR LF pair ends a line and then an empty one, which counts for nothing.
    const std::size_t end = piece.find_first_of(u"\r\n");
    line_.Add(piece.substr(0, end));
    if (end == std::u16string_view::npos) return;
    EndLine();
    piece.remove_prefix(end + 1);
  }
}

void ProfileFile::Finish() {
  if (!nameListFull_) EndLine();
}

void ProfileFile::EndLine() {
  if (line_.IsHeader()) {
    StartSection();
  } else if (!line_.IsBlank()) {
    AddKey();
  }
  line_.Clear();
}

void ProfileFile::StartSection() {
  current_ = nullptr;
  // A name longer than the limit is not held; it could not be listed anyway.
  if (!line_.NameWhole()) {
    nameListFull_ = true;
    return;
  }
  const std::u16string_view name = line_.Name();
  if (name.empty()) return;
  nameListLength_ += name.size() + 1;
  if (nameListLength_ >= nameListLimit_) {
    nameListFull_ = true;
    return;
  }
  sectionNames_.emplace_back(name);
  // Only the first section of a name is ever looked up.
  const auto [section, isFirst] = sections_.try_emplace(FoldAToZ(name));
  if (isFirst) current_ = &section->second;
}

void ProfileFile::AddKey() {
  if (!current_ || !line_.KeyWhole()) return;
  std::u16string key = FoldAToZ(line_.Key());
  if (keptKeys_ && std::find(keptKeys_->begin(), keptKeys_->end(), key) == keptKeys_->end()) {
    return;
  }
  current_->try_emplace(std::move(key), line_.Value());
}

std::u16string ProfileFile::Value(std::u16string_view section, std::u16string_view key) const {
  const auto keys = sections_.find(FoldAToZ(section));
  if (keys == sections_.end()) return {};
  const auto value = keys->second.find(FoldAToZ(key));
  if (value == keys->second.end()) return {};
  return value->second;
}
