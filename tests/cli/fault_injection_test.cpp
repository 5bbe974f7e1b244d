// For every source type: a run touches no source, and a failed run keeps the
// earlier machine list byte for byte and leaves no temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/every_type_faults.h"
#include "cli/line_break_source.h"
#include "support/type_test_name.h"

namespace fault_tests {
namespace {

TEST_P(EveryTypeFaults, ASuccessfulRunTouchesNoSourceAndReplacesTheList) {
  const FileState before = StateOf(source);
  const CliResult result = Convert(source, output);
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string list = ReadFileBytes(ExampleOutput(GetParam().slug));
  const auto machines = std::count(list.begin(), list.end(), '\n') / 3;  // 3 lines an entry
  EXPECT_EQ(FirstLine(result.err), Line(Message::Success));
  EXPECT_EQ(result.err.substr(FirstLine(result.err).size()).rfind(
                "已写入 " + std::to_string(machines) + " 台机器", 0),
            0u)
      << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 2) << "one line of report";
  EXPECT_TRUE(StateOf(source) == before);
  EXPECT_EQ(std::distance(fs::directory_iterator(sources), {}), 1) << "nothing beside the source";
  ExpectOutputsUntouched(list);
}

TEST_P(EveryTypeFaults, AMissingSourceOrAFolderIsRefused) {
  for (const fs::path& bad : {dir / "missing", sources}) ExpectRefusedAsSource(bad);
}

TEST_P(EveryTypeFaults, AnOutputThatCannotBeCreatedKeepsTheEarlierList) {
  const FileState before = StateOf(source);
  for (const fs::path& bad : {dir / "no-such-folder" / "computer.ONC", outputs}) {
    const CliResult result = Convert(source, bad);
    EXPECT_EQ(result.status, 1) << bad;
    EXPECT_EQ(result.err, Line(Message::CreateFileFailed)) << bad;
  }
  EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
  EXPECT_TRUE(StateOf(source) == before);
  ExpectOutputsUntouched(kEarlierList);
}

// A sparse file of 4 GiB and one byte: too large for a 32-bit size. Line
// readers stream any size by design and are left out.
TEST_P(EveryTypeFaults, ASourceOf4GiBOrMoreFailsCleanly) {
  if (std::holds_alternative<DelimitedLineLayout>(GetParam().settings)) {
    GTEST_SKIP() << "lines are streamed; any size converts";
  }
  const fs::path big = dir / "big.source";
  WriteFileBytes(big, "x");
  fs::resize_file(big, 0x100000001ULL);
  const CliResult result = Convert(big, output);
  EXPECT_EQ(result.status, 1) << result.err;
  // The type's own word for a source it cannot take, the size step's where it has one.
  const SourceMessages& messages = GetParam().messages;
  const std::string first = FirstLine(result.err);
  EXPECT_TRUE(first == Line(messages.sizeFailed) || first == Line(messages.readFailed) ||
              first == Line(messages.openFailed))
      << result.err;
  if (messages.sizeFailed != messages.openFailed && messages.sizeFailed != messages.readFailed) {
    EXPECT_EQ(result.err, Line(messages.sizeFailed));
  }
  ExpectOutputsUntouched(kEarlierList);
}

// The output path names the source itself, by the same name, as a second name
// of the same file, or through its folder's parent: nothing is read or written.
TEST_P(EveryTypeFaults, AnOutputThatIsTheSourceIsRefused) {
  const FileState before = StateOf(source);
  fs::create_hard_link(source, outputs / "second-name");
  const fs::path cases[] = {source, outputs / "second-name",
                            outputs / ".." / "sources" / source.filename()};
  for (const fs::path& same : cases) {
    const CliResult result = Convert(source, same);
    EXPECT_EQ(result.status, 1) << same;
    EXPECT_EQ(result.err, Line(Message::OutputIsSource)) << same;
  }
  EXPECT_TRUE(StateOf(source) == before);
  EXPECT_EQ(ReadFileBytes(outputs / "second-name"), before.bytes);
}

// A name holding LF, CR or CR LF stays on its own line, the break a space, and
// the report says so; `list` shows what the file holds.
TEST_P(EveryTypeFaults, ALineBreakInAValueStartsNoLine) {
  const std::string list = ReadFileBytes(ExampleOutput(GetParam().slug));
  bool anyBreak = false;
  for (const std::string_view lineBreak : {"\n", "\r", "\r\n"}) {
    const std::optional<LineBreakSource> changed =
        WithLineBreakInAName(GetParam(), ReadFileBytes(source), list, lineBreak);
    if (!changed) continue;
    anyBreak = true;
    const fs::path hostile = sources / ("hostile-" + source.filename().string());
    WriteFileBytes(hostile, changed->bytes);
    const CliResult result = Convert(hostile, output);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadFileBytes(output), changed->expected) << testing::PrintToString(lineBreak);
    EXPECT_NE(result.err.find("；值中换行已改为空格的机器 1 台\n"), std::string::npos) << result.err;

    const CliResult listed = RunZembrixCli(
        {"list", "--type", std::string(GetParam().slug), platform::PathText(hostile)});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("\t1" + std::string(lineBreak.size(), ' ') + "2"), std::string::npos)
        << listed.out;
    fs::remove(hostile);
  }
  if (!anyBreak) GTEST_SKIP() << "this type's source holds no line break inside a value";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Registry, EveryTypeFaults, testing::ValuesIn(SourceTypes()),
                         TypeTestName);

}  // namespace fault_tests
