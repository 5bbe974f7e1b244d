// One XML source read by a type's reader and the entries it must give.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/diskless_type.h"
#include "support/reader_run.h"

struct XmlReadCase {
  const char* what;
  DisklessType type;
  std::string bytes;
  std::u16string expected;  // the entries, in order
  std::size_t skipped = 0;  // machines lacking a value the type requires
};

inline void PrintTo(const XmlReadCase& c, std::ostream* os) { *os << c.what; }

inline std::string XmlReadCaseName(const testing::TestParamInfo<XmlReadCase>& info) {
  return info.param.what;
}

// The source is read, gives exactly the expected entries and skips as many machines.
inline void ExpectReads(const XmlReadCase& c, unsigned codePage = 936) {
  const ReaderRun run = ReadBytesAs(c.type, c.bytes, "source.xml", codePage);
  EXPECT_TRUE(run.write) << (run.details.empty() ? "" : run.details.front());
  EXPECT_EQ(run.output, c.expected);
  EXPECT_EQ(run.skipped.Count(SkipReason::LackingValue), c.skipped);
  EXPECT_EQ(run.skipped.Total(), c.skipped);
}
