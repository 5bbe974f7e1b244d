// What a reader gives back: the machines it read and what it skipped, or why it failed.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "core/machine_list.h"
#include "core/messages.h"

// Why a record of the source gave no machine.
enum class SkipReason {
  LackingValue,  // a value the type requires is missing or empty
  NotAMachine,   // the record has another shape than a machine's (field count, kind of value)
};
inline constexpr std::size_t kSkipReasonCount = 2;

class SkippedRecords {
 public:
  void Add(SkipReason reason) { ++counts_[static_cast<std::size_t>(reason)]; }
  [[nodiscard]] std::size_t Count(SkipReason reason) const {
    return counts_[static_cast<std::size_t>(reason)];
  }
  [[nodiscard]] std::size_t Total() const {
    std::size_t total = 0;
    for (std::size_t count : counts_) total += count;
    return total;
  }

 private:
  std::array<std::size_t, kSkipReasonCount> counts_{};
};

// The message the user sees, and technical words (a library's, or what was
// missing) that a host may show beneath it.
struct ReadFailure {
  Message message;
  std::string detail;
};

struct ReadOutcome {
  MachineList machines;
  SkippedRecords skipped;
  std::optional<ReadFailure> failure;  // set: nothing is to be written

  [[nodiscard]] static ReadOutcome Failed(Message message, std::string detail = {}) {
    ReadOutcome outcome;
    outcome.failure = ReadFailure{message, std::move(detail)};
    return outcome;
  }
  [[nodiscard]] static ReadOutcome Failed(ReadFailure failure) {
    ReadOutcome outcome;
    outcome.failure = std::move(failure);
    return outcome;
  }
};
