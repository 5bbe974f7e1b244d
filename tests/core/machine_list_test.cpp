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

TEST(MachineList, StartsEmpty) {
  const MachineList list;
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.begin(), list.end());
}

}  // namespace
