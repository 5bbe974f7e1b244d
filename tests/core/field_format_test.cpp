// Field helpers: dotted IPv4, the MAC forms, a-to-z upper-casing, the value buffer cut.
#include <gtest/gtest.h>

#include "core/field_format.h"
#include "core/value_buffer.h"

namespace {

TEST(FormatIPv4, PrintsLowestByteFirst) {
  EXPECT_EQ(FormatIPv4(0), u"0.0.0.0");
  EXPECT_EQ(FormatIPv4(0xFFFFFFFFu), u"255.255.255.255");
  EXPECT_EQ(FormatIPv4(0x0100000Au), u"10.0.0.1");   // bytes 0A 00 00 01
  EXPECT_EQ(FormatIPv4(0x1500A8C0u), u"192.168.0.21");
}

TEST(FormatMacWithColons, PairsCharactersBlindly) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"00e04c123abc", u"00:e0:4c:12:3a:bc"},
      {u"ABC", u"AB:C"},
      {u"A", u"A"},
      {u"", u""},
      {u"00-E0", u"00:-E:0"},
  };
  for (const auto& [mac, expected] : cases) EXPECT_EQ(FormatMacWithColons(mac), expected) << "mac";
}

TEST(MachineRules, MacFormsAndUpperCasing) {
  const struct {
    MachineRules rules;
    std::u16string mac, name;
    std::u16string expectedMac, expectedName;
  } cases[] = {
      {{MacForm::AsRead, false}, u"00-e0-4c", u"pc\u7f51", u"00-e0-4c", u"pc\u7f51"},
      {{MacForm::AsRead, true}, u"00-e0-4c", u"pc\u7f51", u"00-E0-4C", u"PC\u7f51"},
      {{MacForm::ColonAfterEachPair, true}, u"00e04c", u"pc", u"00:E0:4C", u"PC"},
      {{MacForm::DashesAsColons, true}, u"00-e0-4c", u"pc", u"00:E0:4C", u"PC"},
      {{MacForm::ColonAfterEachPair, true}, u"", u"", u"", u""},
      {{MacForm::ColonAfterEachPair, false}, u"a", u"", u"a", u""},
      {{MacForm::ColonAfterEachPair, false}, u"ab", u"", u"ab", u""},
      {{MacForm::ColonAfterEachPair, false}, u"abc", u"", u"ab:c", u""},
      {{MacForm::ColonAfterEachPair, false}, u"00-E0", u"", u"00:-E:0", u""},
      {{MacForm::ColonAfterEachPair, false}, u"\U0001F600\u7f51xyz", u"",
       u"\U0001F600:\u7f51x:yz", u""},
  };
  for (const auto& c : cases) {
    std::u16string mac = c.mac;
    std::u16string name = c.name;
    ApplyMachineRules(c.rules, mac, name);
    EXPECT_EQ(mac, c.expectedMac);
    EXPECT_EQ(name, c.expectedName);
  }
}

TEST(UpperCaseAToZ, OnlyAsciiLettersChange) {
  std::u16string text = u"pc01-\u00e9\uff41\u7f51z";
  UpperCaseAToZ(text);
  EXPECT_EQ(text, u"PC01-\u00e9\uff41\u7f51Z");
}

TEST(CutToValueBuffer, KeepsAtMost259UnitsWithoutSplittingPairs) {
  const std::u16string exact(259, u'x');
  EXPECT_EQ(CutToValueBuffer(exact), exact);
  EXPECT_EQ(CutToValueBuffer(std::u16string(300, u'x')).size(), 259u);
  std::u16string pairAtEnd(258, u'x');
  pairAtEnd += u"\U0001F600";  // units 258 and 259: the pair does not fit whole
  EXPECT_EQ(CutToValueBuffer(pairAtEnd), std::u16string(258, u'x'));
}

}  // namespace
