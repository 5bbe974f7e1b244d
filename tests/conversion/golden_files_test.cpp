// Golden files: every fixture pair and every example converts to its list, one
// test per source file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "support/golden_files.h"

namespace {

class GoldenFile : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenFile, ConvertsExactly) { ExpectConvertsTo(GetParam()); }

std::string CaseName(const testing::TestParamInfo<GoldenCase>& info) {
  std::string name = info.param.name;
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  std::replace_if(name.begin(), name.end(),
                  [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  // Names in Chinese all turn into underscores: the position keeps them apart.
  return ascii ? name : name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GoldenFile, testing::ValuesIn(AllGoldenCases()), CaseName);

TEST(FirstDifference, ShowsTheFirstLineThatDiffers) {
  EXPECT_EQ(FirstDifference("a\tb\nc\n", "a\tb\nc\n"), "");
  EXPECT_EQ(FirstDifference("[A]\t\nIP=1\t\n", "[A]\t\nIP=2\t\n"),
            "first difference in line 2:\n  actual:   IP=1\\t\n  expected: IP=2\\t");
  EXPECT_EQ(FirstDifference("x\n", "x\ny\n"),
            "first difference in line 2:\n  actual:   (end of file)\n  expected: y");
}

}  // namespace
