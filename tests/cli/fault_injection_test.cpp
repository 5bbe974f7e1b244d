// For every source type: a run touches no source, and a failed run keeps the
// earlier machine list byte for byte and leaves no temporary file behind.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <type_traits>
#include <filesystem>

#include "core/messages.h"
#include "conversion/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "support/type_test_name.h"

namespace {

namespace fs = std::filesystem;

constexpr char kEarlierList[] = "[EARLIER]\t\nIPAddr=10.0.0.1\t\nName=OLD\t\n";

std::string Line(Message message) { return std::string(MessageText(message)) + "\n"; }

struct FileState {
  std::string bytes;
  struct timespec modified {};
};

FileState StateOf(const fs::path& path) {
  FileState state{ReadFileBytes(path), {}};
  struct stat info {};
  ::stat(path.c_str(), &info);
  state.modified = info.st_mtim;
  return state;
}

bool operator==(const FileState& a, const FileState& b) {
  return a.bytes == b.bytes && a.modified.tv_sec == b.modified.tv_sec &&
         a.modified.tv_nsec == b.modified.tv_nsec;
}

class EveryTypeFaults : public testing::TestWithParam<SourceTypeInfo> {
 protected:
  void SetUp() override {
    const std::vector<fs::path> examples = ExampleSources(GetParam().slug);
    ASSERT_FALSE(examples.empty()) << "every type has a sample under examples/";
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    fs::create_directory(sources);
    fs::create_directory(outputs);
    source = sources / examples.front().filename();
    fs::copy_file(examples.front(), source);
    fs::permissions(source, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    WriteFileBytes(output, kEarlierList);
  }

  CliResult Convert(const fs::path& from, const fs::path& to, CliOptions options = {}) {
    return RunZembrixCli(
        {"convert", "--type", std::string(GetParam().slug), "--output", to.string(), from.string()},
        options);
  }

  // The output folder holds nothing but what it held before the run.
  void ExpectOutputsUntouched(const std::string& expectedList) {
    EXPECT_EQ(ReadFileBytes(output), expectedList);
    EXPECT_EQ(std::distance(fs::directory_iterator(outputs), {}), 1);
  }

  ScratchDir dir;
  fs::path sources = dir / "sources";
  fs::path outputs = dir / "outputs";
  fs::path source;
  fs::path output = outputs / "computer.ONC";
};

TEST_P(EveryTypeFaults, ASuccessfulRunTouchesNoSourceAndReplacesTheList) {
  const FileState before = StateOf(source);
  const CliResult result = Convert(source, output);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, Line(Message::Success));
  EXPECT_TRUE(StateOf(source) == before);
  EXPECT_EQ(std::distance(fs::directory_iterator(sources), {}), 1) << "nothing beside the source";
  ExpectOutputsUntouched(ReadFileBytes(ExampleOutput(GetParam().slug)));
}

TEST_P(EveryTypeFaults, ASourceThatIsNoRegularFileIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
  fs::create_symlink("loop", dir / "loop");
  const fs::path cases[] = {dir / "missing", sources, dir / "fifo", "/dev/null", dir / "loop"};
  for (const fs::path& bad : cases) {
    CliOptions options;
    options.timeoutSeconds = 20;
    const CliResult result = Convert(bad, output, options);
    EXPECT_EQ(result.status, 1) << bad;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1),
              Line(GetParam().messages.openFailed))
        << bad;
    ExpectOutputsUntouched(kEarlierList);
  }
}

TEST_P(EveryTypeFaults, AnOutputThatCannotBeCreatedKeepsTheEarlierList) {
  const FileState before = StateOf(source);
  for (const fs::path& bad : {dir / "no-such-folder" / "computer.ONC", outputs}) {
    const CliResult result = Convert(source, bad);
    EXPECT_EQ(result.status, 1) << bad;
    EXPECT_EQ(result.err, Line(Message::CreateFileFailed)) << bad;
  }
  EXPECT_FALSE(fs::exists(dir / "no-such-folder"));

  // A folder the program may not write into.
  fs::permissions(outputs, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read |
                               fs::perms::others_exec);
  CliOptions nobody;
  nobody.asNobody = true;
  const CliResult result = Convert(source, output, nobody);
  fs::permissions(outputs, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, Line(Message::CreateFileFailed));
  EXPECT_TRUE(StateOf(source) == before);
  ExpectOutputsUntouched(kEarlierList);
}

TEST_P(EveryTypeFaults, ADiskFullMidWriteKeepsTheEarlierList) {
  const auto expectedSize = fs::file_size(ExampleOutput(GetParam().slug));
  if (expectedSize < 2) GTEST_SKIP() << "the example's list is too small to cut";
  CliOptions limited;
  limited.fileSizeLimit = static_cast<long>(expectedSize / 2);
  const CliResult result = Convert(source, output, limited);
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.err, Line(Message::WriteFileFailed));
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
  const std::string first = result.err.substr(0, result.err.find('\n') + 1);
  EXPECT_TRUE(first == Line(messages.sizeFailed) || first == Line(messages.readFailed) ||
              first == Line(messages.openFailed))
      << result.err;
  if (messages.sizeFailed != messages.openFailed && messages.sizeFailed != messages.readFailed) {
    EXPECT_EQ(result.err, Line(messages.sizeFailed));
  }
  ExpectOutputsUntouched(kEarlierList);
}

// The output path names the source itself, by the same name, through a link,
// or as a second name of the same file: nothing is read or written.
TEST_P(EveryTypeFaults, AnOutputThatIsTheSourceIsRefused) {
  const FileState before = StateOf(source);
  fs::create_symlink(source, outputs / "link-to-source");
  fs::create_hard_link(source, outputs / "second-name");
  const fs::path cases[] = {source, outputs / "link-to-source", outputs / "second-name",
                            outputs / ".." / "sources" / source.filename()};
  for (const fs::path& same : cases) {
    const CliResult result = Convert(source, same);
    EXPECT_EQ(result.status, 1) << same;
    EXPECT_EQ(result.err, Line(Message::OutputIsSource)) << same;
  }
  EXPECT_TRUE(StateOf(source) == before);
  EXPECT_TRUE(fs::is_symlink(outputs / "link-to-source"));
  EXPECT_EQ(ReadFileBytes(outputs / "second-name"), before.bytes);
}

// A temporary file that no running conversion holds is a leftover (SIGKILL,
// a power cut) and goes with the next run into that folder; one that a
// running conversion holds stays.
TEST_P(EveryTypeFaults, AStaleTemporaryFileGoesAndAHeldOneStays) {
  WriteFileBytes(outputs / ".zembrix-Stale1", "half a list");
  WriteFileBytes(outputs / ".zembrix-Held01", "being written");
  const int held = ::open((outputs / ".zembrix-Held01").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  const CliResult result = Convert(source, output);
  ::close(held);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(fs::exists(outputs / ".zembrix-Stale1"));
  EXPECT_EQ(ReadFileBytes(outputs / ".zembrix-Held01"), "being written");
  fs::remove(outputs / ".zembrix-Held01");
  ExpectOutputsUntouched(ReadFileBytes(ExampleOutput(GetParam().slug)));
}

// A source far larger than the memory the run may take: whatever the reader
// makes of it, the run never aborts, tells "内存不足!" where memory ran out,
// and leaves the earlier list and no temporary file.
TEST_P(EveryTypeFaults, RunningOutOfMemoryIsAClearFailure) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs more address space than the limit allows";
#else
  const fs::path big = dir / "big.source";
  WriteFileBytes(big, "x");
  fs::resize_file(big, std::uintmax_t{1} << 30);  // sparse: takes no disk space
  CliOptions limited;
  limited.addressSpaceLimit = 256L << 20;
  const CliResult result = Convert(big, output, limited);
  ASSERT_TRUE(result.status == 0 || result.status == 1) << result.status << " " << result.err;
  if (result.status == 1) {
    const SourceMessages& own = GetParam().messages;
    const std::string first = result.err.substr(0, result.err.find('\n') + 1);
    EXPECT_TRUE(first == Line(Message::OutOfMemory) || first == Line(own.openFailed) ||
                first == Line(own.sizeFailed) || first == Line(own.readFailed) ||
                first == Line(Message::SourceFormatInvalid))
        << result.err;
    ExpectOutputsUntouched(kEarlierList);
  }
  // Readers that hold the whole source in memory cannot hold this one.
  const bool readsWhole = std::visit(
      [](const auto& layout) {
        using Layout = std::decay_t<decltype(layout)>;
        return std::is_same_v<Layout, IniLayout>;
      },
      GetParam().settings);
  if (readsWhole) {
    EXPECT_EQ(result.err, Line(Message::OutOfMemory));
  }
#endif
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryTypeFaults, testing::ValuesIn(SourceTypes()),
                         TypeTestName);

}  // namespace
