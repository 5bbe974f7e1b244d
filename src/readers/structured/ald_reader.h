// ALD's wsk.dat: fixed-size binary workstation records (type 0).
#pragma once

#include <string_view>

#include <cstddef>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

// Where each field lies in a record. The IP is four bytes, the first byte the
// first octet; MAC and name are text in the ANSI code page, ending at a NUL or
// at the end of the field.
struct AldLayout {
  static constexpr std::string_view kFamily = "ald";

  std::size_t recordSize;
  std::size_t ipOffset;
  std::size_t macOffset;
  std::size_t macSize;
  std::size_t nameOffset;
  std::size_t nameSize;
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadAldSource(const SourceRequest& request, const AldLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request, const AldLayout& layout) {
  return ReadAldSource(request, layout);
}
