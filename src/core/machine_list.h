// The machines a reader hands over: MAC, IP and name of each, in reader order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One machine, its values already prepared by its type's rules; nothing is checked.
struct MachineEntry {
  std::u16string_view mac;
  std::u16string_view ip;
  std::u16string_view name;

  friend bool operator==(const MachineEntry&, const MachineEntry&) = default;
};

// The values of all machines in one text with their lengths beside it, so a
// long list costs little more than its characters.
//
// The console reads the list file line by line, so a value must not break a
// line: each CR and LF in a value becomes a space as the value is added. The
// list holds each value as the file will, and everything that shows the
// machines shows them so.
class MachineList {
 public:
  void Add(const MachineEntry& entry);
  void Add(std::u16string_view mac, std::u16string_view ip, std::u16string_view name) {
    Add(MachineEntry{mac, ip, name});
  }

  [[nodiscard]] std::size_t size() const { return lengths_.size(); }
  [[nodiscard]] bool empty() const { return lengths_.empty(); }
  // How many machines had a line break in a value replaced.
  [[nodiscard]] std::size_t machinesWithLineBreaks() const { return machinesWithLineBreaks_; }

  class Iterator {
   public:
    using value_type = MachineEntry;
    using difference_type = std::ptrdiff_t;

    MachineEntry operator*() const;
    Iterator& operator++();
    Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }

   private:
    friend class MachineList;
    Iterator(const MachineList* list, std::size_t index, std::size_t offset)
        : list_(list), index_(index), offset_(offset) {}
    const MachineList* list_ = nullptr;
    std::size_t index_ = 0;
    std::size_t offset_ = 0;  // where this entry's MAC starts in the values
  };

  [[nodiscard]] Iterator begin() const { return {this, 0, 0}; }
  [[nodiscard]] Iterator end() const { return {this, lengths_.size(), values_.size()}; }

 private:
  struct Lengths {
    std::uint32_t mac;
    std::uint32_t ip;
    std::uint32_t name;
  };
  std::u16string values_;
  std::vector<Lengths> lengths_;
  std::size_t machinesWithLineBreaks_ = 0;
};
