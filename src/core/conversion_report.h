// The figures told after a written list: what went into it, what was left
// out and why, and which addresses more than one machine has.
#pragma once

#include <cstddef>

#include "core/read_outcome.h"

struct ConversionReport {
  std::size_t machines = 0;  // entries written
  SkippedRecords skipped;
  std::size_t repeatedMacs = 0;  // MAC addresses found on more than one machine
  std::size_t repeatedIps = 0;   // IP addresses found on more than one machine
  std::size_t machinesWithLineBreaks = 0;  // machines whose values had a CR or LF made a space
};

// The figures of a read that is about to be written. MACs compare without
// regard to the case of a to z; empty values are no address and never count.
[[nodiscard]] ConversionReport ReportOn(const ReadOutcome& outcome);
