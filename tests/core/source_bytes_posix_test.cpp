// Reading source files on POSIX: FIFOs, devices and link loops are no
// regular files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/source_bytes.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr SourceMessages kAldMessages{Message::OpenAldFailed, Message::AldSizeFailed,
                                      Message::ReadAldFailed};

TEST(ReadWholeSourceFile, RefusesWhatIsNoRegularFile) {
  ScratchDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directory_symlink("loop", dir / "loop");
  const fs::path cases[] = {
      dir / "fifo",  // must not wait for a writer
      "/dev/null",
      dir / "loop",
  };
  for (const fs::path& path : cases) {
    const WholeSourceFile file = ReadWholeSourceFile(path, kAldMessages);
    ASSERT_TRUE(file.failure) << path;
    EXPECT_EQ(file.failure->message, Message::OpenAldFailed) << path;
  }
}

}  // namespace
