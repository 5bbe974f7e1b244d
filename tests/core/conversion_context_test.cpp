// Which code pages a conversion accepts as its ANSI code page.
#include "core/conversion_context.h"

#include <gtest/gtest.h>

namespace {

TEST(ConversionContext, TakesOnlyCodePagesThatKeepAsciiAsItIs) {
  const struct {
    unsigned codePage;
    bool accepted;
  } cases[] = {
      {936, true},     {950, true},     {932, true},     {1252, true},
      {65001, true},   {1200, false},   {1201, false},   {12000, false},
      {12001, false},  {12345, false},
  };
  for (const auto& c : cases) {
    const std::optional<ConversionContext> context = ConversionContext::ForCodePage(c.codePage);
    EXPECT_EQ(context.has_value(), c.accepted) << c.codePage;
    if (context) {
      EXPECT_EQ(context->ansi().number(), c.codePage);
    }
  }
}

TEST(ConversionContext, DefaultIs936) {
  EXPECT_EQ(ConversionContext::Default().ansi().number(), kDefaultAnsiCodePage);
}

}  // namespace
