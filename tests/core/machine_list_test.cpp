// The machine list keeps every machine's values, in order, duplicates included.
#include <gtest/gtest.h>

#include <vector>

#include "core/machine_list.h"

namespace {

TEST(MachineList, GivesBackEveryMachineInOrder) {
  const std::vector<MachineEntry> machines = {
      {u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021"},
      {u"", u"", u""},
      {u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021"},
      {u"AA", u"1", u"\u7f51\u5427\U0001F600"},
  };
  MachineList list;
  for (const MachineEntry& machine : machines) list.Add(machine);
  EXPECT_EQ(list.size(), machines.size());
  EXPECT_EQ(std::vector<MachineEntry>(list.begin(), list.end()), machines);
}

// CR and LF become spaces wherever they stand; nothing else in a value changes.
TEST(MachineList, HoldsNoLineBreak) {
  struct Case {
    const char* what;
    MachineEntry given;
    MachineEntry held;
  };
  const Case cases[] = {
      {"LF in the name", {u"AA", u"1", u"pc1\n[BB]"}, {u"AA", u"1", u"pc1 [BB]"}},
      {"CR alone in the IP", {u"AA", u"1\rIPAddr=2", u"n"}, {u"AA", u"1 IPAddr=2", u"n"}},
      {"CR LF in the MAC", {u"AA\r\n", u"1", u"n"}, {u"AA  ", u"1", u"n"}},
      {"in all three", {u"\n", u"\r", u"\r\n"}, {u" ", u" ", u"  "}},
      {"TAB, = and brackets stay", {u"[A]", u"=1\t", u"\v\f\u2028\u0085"},
       {u"[A]", u"=1\t", u"\v\f\u2028\u0085"}},
  };
  for (const Case& c : cases) {
    MachineList list;
    list.Add(c.given);
    EXPECT_EQ(*list.begin(), c.held) << c.what;
  }
}

// The report tells how many machines had a value changed, not how many breaks.
TEST(MachineList, CountsTheMachinesWithALineBreak) {
  MachineList list;
  list.Add(u"A\n", u"1\r\n", u"\n\n");
  list.Add(u"B", u"2", u"clean");
  list.Add(u"C", u"3", u"x\ry");
  EXPECT_EQ(list.machinesWithLineBreaks(), 2u);
  EXPECT_EQ(MachineList().machinesWithLineBreaks(), 0u);
}

TEST(MachineList, StartsEmpty) {
  const MachineList list;
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.begin(), list.end());
}

}  // namespace
