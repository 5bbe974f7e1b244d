// The conversion run, and contract checks that hold for every registered reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "support/type_test_name.h"

namespace {

namespace fs = std::filesystem;

void Convert(DisklessType type, const fs::path& source, const fs::path& output,
             ConversionHost& host) {
  ConvertMachineList(type, source, output, ConversionContext::Default(), host);
}

TEST(ConvertMachineList, EmptyPathsShowOneMessageAndReadNothing) {
  const std::pair<fs::path, fs::path> cases[] = {
      {"", ""}, {"source.txt", ""}, {"", "computer.ONC"}};
  for (const auto& [source, output] : cases) {
    RecordingHost host;
    Convert(DisklessType::Lvhua, source, output, host);
    EXPECT_EQ(host.messages, std::vector{Message::PathEmpty});
    EXPECT_EQ(host.endedOk, 0);
  }
}

TEST(ConvertMachineList, WritesTheFileAndEndsTheDialogOnSuccess) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "PC021 192.168.0.21 00e04c123abc\n");
  RecordingHost host;
  Convert(DisklessType::Lvhua, dir / "list.txt", dir / "computer.ONC", host);
  EXPECT_EQ(host.messages, std::vector{Message::Success});
  EXPECT_EQ(host.endedOk, 1);
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
}

TEST(ConvertMachineList, ABlankPathPassesTheEmptinessTest) {
  ScratchDir dir;
  RecordingHost host;
  Convert(DisklessType::FanggeziV5, " ", dir / "computer.ONC", host);
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
    Convert(GetParam().type, source, output, host);
    EXPECT_EQ(host.endedOk, 0) << source;
    ASSERT_EQ(host.messages.size(), 1u) << source;
    EXPECT_NE(host.messages[0], Message::Success);
  }
  EXPECT_EQ(ReadFileBytes(output), "earlier");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryType, testing::ValuesIn(SourceTypes()),
                         TypeTestName);

}  // namespace
