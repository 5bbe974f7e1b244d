// Golden files: every tests/data/structured/<slug>.<case>.<ext> converts to <slug>.<case>.ONC.
#include <gtest/gtest.h>

#include "support/golden_files.h"

namespace {

TEST(StructuredSources, GoldenFilesConvertExactly) {
  for (const GoldenCase& golden : GoldenCases("structured")) {
    ExpectConvertsTo(golden.type, golden.source, golden.expected);
  }
}

}  // namespace
