// The shapes that tell a MAC or an IPv4 address from other text.
#include "core/value_shapes.h"

#include <gtest/gtest.h>

namespace {

TEST(ValueShapes, TellMacsAndIPv4AddressesFromOtherText) {
  const struct {
    std::string_view text;
    bool mac;
    bool ipv4;
  } cases[] = {
      {"00e04c123abc", true, false},   {"00-E0-4C-12-3A-BC", true, false},
      {"00:e0:4c:12:3a:bc", true, false}, {"00e04c123ab", false, false},
      {"00-e04c123abc-", false, false}, {"0-0e04c123abc", false, false},
      {"192.168.0.1", false, true},    {"256.1.1.1", false, false},
      {"1.2.3", false, false},         {"1.2.3.4.5", false, false},
      {"1..2.3", false, false},        {"", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LooksLikeMac(c.text), c.mac) << c.text;
    EXPECT_EQ(LooksLikeIPv4(c.text), c.ipv4) << c.text;
  }
}

}  // namespace
