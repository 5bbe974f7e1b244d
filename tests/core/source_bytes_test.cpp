// Reading source files: regular files only, whole-file reads and their messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/source_bytes.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr SourceMessages kAldMessages{Message::OpenAldFailed, Message::AldSizeFailed,
                                         Message::ReadAldFailed};

TEST(ReadWholeSourceFile, GivesTheBytesFollowedByNul) {
  ScratchDir dir;
  WriteFileBytes(dir / "wsk.dat", std::string("ab\0c", 4));
  const WholeSourceFile file = ReadWholeSourceFile(dir / "wsk.dat", kAldMessages);
  ASSERT_FALSE(file.failure);
  EXPECT_EQ(file.bytes, std::string("ab\0c", 4));
  EXPECT_EQ(file.bytes.c_str()[4], '\0');
}

TEST(ReadWholeSourceFile, ShowsTheCallersMessagePerFailure) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty", "");

  const std::pair<fs::path, Message> cases[] = {
      {dir / "missing", Message::OpenAldFailed},
      {dir / "empty", Message::AldSizeFailed},
      {dir.path(), Message::OpenAldFailed},   // a folder
  };
  for (const auto& [path, message] : cases) {
    const WholeSourceFile file = ReadWholeSourceFile(path, kAldMessages);
    ASSERT_TRUE(file.failure) << path;
    EXPECT_EQ(file.failure->message, message) << path;
  }
}

TEST(ReadWholeSourceFile, RefusesAFileTooLargeForA32BitSize) {
  ScratchDir dir;
  const fs::path big = dir / "big.dat";
  WriteFileBytes(big, "x");
  fs::resize_file(big, 0x100000000ULL);  // sparse: takes no disk space
  const WholeSourceFile file = ReadWholeSourceFile(big, kAldMessages);
  ASSERT_TRUE(file.failure);
  EXPECT_EQ(file.failure->message, Message::AldSizeFailed);
}

TEST(ReadSourceBytes, ReadsRegularFilesOnly) {
  ScratchDir dir;
  WriteFileBytes(dir / "a.txt", "text");
  EXPECT_EQ(ReadSourceBytes(dir / "a.txt"), "text");
  EXPECT_FALSE(ReadSourceBytes(dir.path()));
  EXPECT_FALSE(ReadSourceBytes(""));
}

}  // namespace
