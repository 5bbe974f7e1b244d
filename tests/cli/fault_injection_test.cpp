// For every source type: a run touches no source, and a failed run keeps the
// earlier machine list byte for byte and leaves no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

#include "core/messages.h"
#include "core/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "support/type_test_name.h"

namespace {

namespace fs = std::filesystem;

constexpr char kEarlierList[] = "[EARLIER]\t\nIPAddr=10.0.0.1\t\nName=OLD\t\n";

// Types that report a source they cannot open with a message of their own.
Message OpenFailureOf(DisklessType type) {
  static const std::map<DisklessType, Message> own = {
      {DisklessType::Ald, Message::OpenAldFailed},
      {DisklessType::Pxd, Message::OpenPxdFailed},
      {DisklessType::Wangwei9, Message::OpenWangweiFailed},
      {DisklessType::Wangwei7, Message::CreateFileFailed},
      {DisklessType::FanggeziV5, Message::OpenV5Failed},
      {DisklessType::Shunwupan, Message::OpenShunwupanFailed},
  };
  const auto found = own.find(type);
  return found == own.end() ? Message::OpenSourceFailed : found->second;
}

// Types that read the whole file with a size check of their own.
std::optional<Message> SizeFailureOf(DisklessType type) {
  static const std::map<DisklessType, Message> own = {
      {DisklessType::Ald, Message::AldSizeFailed},
      {DisklessType::Pxd, Message::PxdSizeFailed},
      {DisklessType::Wangwei9, Message::WangweiSizeFailed},
      {DisklessType::Shunwupan, Message::ShunwupanSizeFailed},
  };
  const auto found = own.find(type);
  if (found == own.end()) return std::nullopt;
  return found->second;
}

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
    if (!GetParam().reader) GTEST_SKIP() << "no reader yet";
    const std::vector<fs::path> examples = ExampleSources(GetParam().slug);
    if (examples.empty()) GTEST_SKIP() << "no example source";
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
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1), Line(OpenFailureOf(GetParam().type)))
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
  if (GetParam().reader == SourceTypeOf(DisklessType::Xinyou).reader) {
    GTEST_SKIP() << "lines are streamed; any size converts";
  }
  const fs::path big = dir / "big.source";
  WriteFileBytes(big, "x");
  fs::resize_file(big, 0x100000001ULL);
  const CliResult result = Convert(big, output);
  EXPECT_EQ(result.status, 1) << result.err;
  if (const auto message = SizeFailureOf(GetParam().type)) {
    EXPECT_EQ(result.err, Line(*message));
  }
  ExpectOutputsUntouched(kEarlierList);
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryTypeFaults, testing::ValuesIn(SourceTypes()),
                         TypeTestName);

}  // namespace
