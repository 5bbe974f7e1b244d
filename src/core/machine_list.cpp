// Packing machines into one text.
#include "core/machine_list.h"

namespace {

// Replaces each CR and LF from `from` on with a space; true when there was one.
bool ReplaceLineBreaks(std::u16string& values, std::size_t from) {
  bool replaced = false;
  for (auto c = values.begin() + static_cast<std::ptrdiff_t>(from); c != values.end(); ++c) {
    if (*c == u'\r' || *c == u'\n') {
      *c = u' ';
      replaced = true;
    }
  }
  return replaced;
}

}  // namespace

void MachineList::Add(const MachineEntry& entry) {
  const std::size_t start = values_.size();
  values_ += entry.mac;
  values_ += entry.ip;
  values_ += entry.name;
  if (ReplaceLineBreaks(values_, start)) ++machinesWithLineBreaks_;
  lengths_.push_back({static_cast<std::uint32_t>(entry.mac.size()),
                      static_cast<std::uint32_t>(entry.ip.size()),
                      static_cast<std::uint32_t>(entry.name.size())});
}

MachineEntry MachineList::Iterator::operator*() const {
  const Lengths& lengths = list_->lengths_[index_];
  const std::u16string_view values = list_->values_;
  return {values.substr(offset_, lengths.mac), values.substr(offset_ + lengths.mac, lengths.ip),
          values.substr(offset_ + lengths.mac + lengths.ip, lengths.name)};
}

MachineList::Iterator& MachineList::Iterator::operator++() {
  const Lengths& lengths = list_->lengths_[index_];
  offset_ += std::size_t{lengths.mac} + lengths.ip + lengths.name;
  ++index_;
  return *this;
}
