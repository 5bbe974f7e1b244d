// Fault tests for every source type that need POSIX: FIFOs and devices as
// sources, symbolic links, another user, resource limits and locks.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <type_traits>
#include <variant>

#include "cli/every_type_faults.h"

namespace fault_tests {
namespace {

TEST_P(EveryTypeFaults, ASourceThatIsNoRegularFileIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
  fs::create_symlink("loop", dir / "loop");
  for (const fs::path& bad : {dir / "fifo", fs::path("/dev/null"), dir / "loop"}) {
    ExpectRefusedAsSource(bad);
  }
}

TEST_P(EveryTypeFaults, AFolderThatMayNotBeWrittenKeepsTheEarlierList) {
  const FileState before = StateOf(source);
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

// The output path names the source through a symbolic link: nothing is read
// or written, and the link stays.
TEST_P(EveryTypeFaults, AnOutputLinkedToTheSourceIsRefused) {
  const FileState before = StateOf(source);
  fs::create_symlink(source, outputs / "link-to-source");
  const CliResult result = Convert(source, outputs / "link-to-source");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, Line(Message::OutputIsSource));
  EXPECT_TRUE(StateOf(source) == before);
  EXPECT_TRUE(fs::is_symlink(outputs / "link-to-source"));
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
    const std::string first = FirstLine(result.err);
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

}  // namespace
}  // namespace fault_tests
