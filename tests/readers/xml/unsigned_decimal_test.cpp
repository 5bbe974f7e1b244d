// The unsigned decimal numbers 网维9 stores its addresses as.
#include <gtest/gtest.h>

#include "readers/xml/unsigned_decimal.h"

namespace {

TEST(UnsignedDecimal, TryTextToUInt32TakesUnsignedDecimalDigitsOnly) {
  const std::pair<std::string_view, std::uint32_t> numbers[] = {
      {"0", 0}, {"3232235541", 3232235541u}, {"4294967295", 4294967295u}, {"007", 7}};
  for (const auto& [text, number] : numbers) EXPECT_EQ(TryTextToUInt32(text), number) << text;
  for (std::string_view text : {"", "-1", "+5", "1.2.3.4", "4294967296", "99999999999999999999",
                                "12a", "0x10", " 1", "\xEF\xBC\x91" /* fullwidth 1 */}) {
    EXPECT_EQ(TryTextToUInt32(text), std::nullopt) << text;
  }
}

}  // namespace
