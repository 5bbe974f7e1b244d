// Counting what a read gives for the report.
#include "core/conversion_report.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/ascii.h"

namespace {

struct Slot {
  const char16_t* data = nullptr;  // nullptr: the slot is free
  std::uint32_t size = 0;          // the list keeps no longer value
  std::uint32_t tag = 0;
};

// A set of values that counts those met more than once: open addressing over
// views into the list, no value copied. Fold is applied to each character
// before it is hashed or compared. Values come in batches whose slots are
// fetched from memory together: one at a time, each would wait on its own
// cache miss, and on a long list those waits are most of the time.
template <char16_t (*Fold)(char16_t)>
class RepeatCounter {
 public:
  static constexpr std::size_t kBatch = 32;

  // The slots are the caller's, all free, a power of two more than the values.
  explicit RepeatCounter(std::vector<Slot>& slots) : slots_(slots) {}

  // Up to kBatch values that are not empty.
  void AddBatch(const std::u16string_view* values, std::size_t count) {
    std::uint64_t hashes[kBatch];
    for (std::size_t i = 0; i < count; ++i) {
      hashes[i] = Hash(values[i]);
      __builtin_prefetch(&slots_[static_cast<std::size_t>(hashes[i]) & (slots_.size() - 1)]);
    }
    for (std::size_t i = 0; i < count; ++i) Add(values[i], hashes[i]);
  }

  [[nodiscard]] std::size_t repeated() const { return repeated_; }

 private:
  void Add(std::u16string_view value, std::uint64_t hash) {
    // The high half tells values apart before they are compared; its lowest
    // bit is left for the mark of a value counted as repeated.
    const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32) & ~kCounted;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = static_cast<std::size_t>(hash) & mask;; at = (at + 1) & mask) {
      Slot& slot = slots_[at];
      if (!slot.data) {
        slot = {value.data(), static_cast<std::uint32_t>(value.size()), tag};
        return;
      }
      if ((slot.tag & ~kCounted) != tag || !Same({slot.data, slot.size}, value)) continue;
      if (!(slot.tag & kCounted)) ++repeated_;
      slot.tag |= kCounted;
      return;
    }
  }

  static constexpr std::uint32_t kCounted = 1;

  static std::uint64_t Hash(std::u16string_view value) {
    std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
    for (const char16_t c : value) hash = (hash ^ Fold(c)) * 0x100000001b3u;
    return hash ^ (hash >> 29);  // the low bits pick the slot: the high ones mixed in
  }

  static bool Same(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
  }

  std::vector<Slot>& slots_;
  std::size_t repeated_ = 0;
};

char16_t AsIs(char16_t c) { return c; }
char16_t Upper(char16_t c) { return AsciiUpper(c); }

template <typename Counter, typename Field>
std::size_t CountRepeated(const MachineList& machines, Field field, std::vector<Slot>& slots) {
  std::fill(slots.begin(), slots.end(), Slot{});
  Counter counter(slots);
  std::u16string_view batch[Counter::kBatch];
  std::size_t count = 0;
  for (const MachineEntry& entry : machines) {
    const std::u16string_view value = field(entry);
    if (value.empty()) continue;
    batch[count++] = value;
    if (count < Counter::kBatch) continue;
    counter.AddBatch(batch, count);
    count = 0;
  }
  counter.AddBatch(batch, count);
  return counter.repeated();
}

}  // namespace

ConversionReport ReportOn(const ReadOutcome& outcome) {
  ConversionReport report;
  const MachineList& machines = outcome.machines;
  report.machines = machines.size();
  report.skipped = outcome.skipped;
  report.machinesWithLineBreaks = machines.machinesWithLineBreaks();
  // At most two thirds taken, and the same room for both fields.
  std::vector<Slot> slots(std::bit_ceil(machines.size() + machines.size() / 2 + 1));
  report.repeatedMacs = CountRepeated<RepeatCounter<Upper>>(
      machines, [](const MachineEntry& entry) { return entry.mac; }, slots);
  report.repeatedIps = CountRepeated<RepeatCounter<AsIs>>(
      machines, [](const MachineEntry& entry) { return entry.ip; }, slots);
  return report;
}
