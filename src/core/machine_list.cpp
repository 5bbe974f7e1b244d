// Packing machines into one text.
#include "core/machine_list.h"

void MachineList::Add(const MachineEntry& entry) {
  values_ += entry.mac;
  values_ += entry.ip;
  values_ += entry.name;
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
