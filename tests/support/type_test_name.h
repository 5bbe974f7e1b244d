// Test names for tests parameterised over the type table: the slug.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "conversion/source_types.h"

inline std::string TypeTestName(const testing::TestParamInfo<SourceTypeInfo>& info) {
  std::string name(info.param.slug);
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

// Test output names the type, not the row's bytes.
inline void PrintTo(const SourceTypeInfo& row, std::ostream* out) { *out << row.slug; }
