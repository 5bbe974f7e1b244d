// Reading source files: regular files only, whole-file reads and their messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/source_file.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr WholeFileMessages kAldMessages{Message::OpenAldFailed, Message::AldSizeFailed,
                                         Message::ReadAldFailed};

TEST(ReadWholeSourceFile, GivesTheBytesFollowedByNul) {
  ScratchDir dir;
  WriteFileBytes(dir / "wsk.dat", std::string("ab\0c", 4));
  RecordingHost host;
  const auto bytes = ReadWholeSourceFile(WidePath(dir / "wsk.dat"), kAldMessages, host);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, std::string("ab\0c", 4));
  EXPECT_EQ(bytes->c_str()[4], '\0');
  EXPECT_TRUE(host.messages.empty());
}

TEST(ReadWholeSourceFile, ShowsTheCallersMessagePerFailure) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty", "");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directory_symlink("loop", dir / "loop");

  const std::pair<fs::path, Message> cases[] = {
      {dir / "missing", Message::OpenAldFailed},
      {dir / "empty", Message::AldSizeFailed},
      {dir.path(), Message::OpenAldFailed},   // a folder
      {dir / "fifo", Message::OpenAldFailed},  // must not wait for a writer
      {"/dev/null", Message::OpenAldFailed},
      {dir / "loop", Message::OpenAldFailed},
  };
  for (const auto& [path, message] : cases) {
    RecordingHost host;
    EXPECT_FALSE(ReadWholeSourceFile(WidePath(path), kAldMessages, host)) << path;
    EXPECT_EQ(host.messages, std::vector{message}) << path;
  }
}

TEST(ReadWholeSourceFile, RefusesAFileTooLargeForA32BitSize) {
  ScratchDir dir;
  const fs::path big = dir / "big.dat";
  WriteFileBytes(big, "x");
  fs::resize_file(big, 0x100000000ULL);  // sparse: takes no disk space
  RecordingHost host;
  EXPECT_FALSE(ReadWholeSourceFile(WidePath(big), kAldMessages, host));
  EXPECT_EQ(host.messages, std::vector{Message::AldSizeFailed});
}

TEST(ReadSourceBytes, ReadsRegularFilesOnly) {
  ScratchDir dir;
  WriteFileBytes(dir / "a.txt", "text");
  EXPECT_EQ(ReadSourceBytes(WidePath(dir / "a.txt")), "text");
  EXPECT_FALSE(ReadSourceBytes(WidePath(dir.path())));
  EXPECT_FALSE(ReadSourceBytes(u""));
}

}  // namespace
