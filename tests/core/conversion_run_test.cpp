// The conversion run, and contract checks that hold for every registered reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/conversion_run.h"
#include "core/source_types.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "support/type_test_name.h"

namespace {

namespace fs = std::filesystem;

TEST(ConvertMachineList, EmptyPathsShowOneMessageAndReadNothing) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"", u""}, {u"source.txt", u""}, {u"", u"computer.ONC"}};
  for (const auto& [source, output] : cases) {
    RecordingHost host;
    ConvertMachineList(DisklessType::Lvhua, source, output, host);
    EXPECT_EQ(host.messages, std::vector{Message::PathEmpty});
    EXPECT_EQ(host.endedOk, 0);
  }
}

TEST(ConvertMachineList, WritesTheFileAndEndsTheDialogOnSuccess) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "PC021 192.168.0.21 00e04c123abc\n");
  RecordingHost host;
  ConvertMachineList(DisklessType::Lvhua, WidePath(dir / "list.txt"),
                     WidePath(dir / "computer.ONC"), host);
  EXPECT_EQ(host.messages, std::vector{Message::Success});
  EXPECT_EQ(host.endedOk, 1);
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
}

TEST(ConvertMachineList, ABlankPathPassesTheEmptinessTest) {
  ScratchDir dir;
  RecordingHost host;
  ConvertMachineList(DisklessType::FanggeziV5, u" ", WidePath(dir / "computer.ONC"), host);
  EXPECT_EQ(host.messages, std::vector{Message::OpenV5Failed});
}

class EveryType : public testing::TestWithParam<SourceTypeInfo> {};

// Whatever the type, a source that cannot be read is never reported as a
// success and leaves the earlier output untouched.
TEST_P(EveryType, UnreadableSourceWritesNothing) {
  ScratchDir dir;
  const fs::path output = dir / "computer.ONC";
  WriteFileBytes(output, "earlier");
  for (const fs::path& source : {dir / "missing.file", dir.path()}) {
    RecordingHost host;
    ConvertMachineList(GetParam().type, WidePath(source), WidePath(output), host);
    EXPECT_EQ(host.endedOk, 0) << source;
    ASSERT_EQ(host.messages.size(), 1u) << source;
    EXPECT_NE(host.messages[0], Message::Success);
    if (!GetParam().reader) {
      EXPECT_EQ(host.messages[0], Message::TypeNotSupported);
    }
  }
  EXPECT_EQ(ReadFileBytes(output), "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryType, testing::ValuesIn(SourceTypes()),
                         TypeTestName);

}  // namespace
