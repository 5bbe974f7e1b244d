// Runs a hostile user might try on POSIX: signals while the list is written,
// a link that dangles, and the folder flush.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "hostile_run_files.h"

namespace {

namespace fs = std::filesystem;

// Starts the CLI on the list, sends the signal as soon as its temporary file
// appears, and gives how it ended; false when it finished before the signal.
bool ConvertAndSignal(const fs::path& source, const fs::path& output, int signal, int& status) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 2);
    ::execl(ZEMBRIX_CLI_PATH, ZEMBRIX_CLI_PATH, "convert", "--type", "lvhua", "--output",
            output.c_str(), source.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  bool signalled = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (!signalled && HoldsTemporaryFile(output.parent_path())) {
      ::kill(pid, signal);
      signalled = true;
    }
    if (std::chrono::steady_clock::now() > deadline) ::kill(pid, SIGKILL);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return signalled && WIFSIGNALED(status);
}

TEST(HostileRuns, ASignalWhileWritingRemovesTheTemporaryFileAndEndsAsTheSignalWould) {
  ScratchDir dir;
  WriteLargeList(dir / "list.txt");
  fs::create_directory(dir / "out");
  const fs::path output = dir / "out" / "computer.ONC";
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    WriteFileBytes(output, kEarlierList);
    int status = 0;
    bool caught = false;
    // The write may end before the signal lands; then try again.
    for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
      caught = ConvertAndSignal(dir / "list.txt", output, signal, status);
      if (!caught) WriteFileBytes(output, kEarlierList);
    }
    ASSERT_TRUE(caught) << "the run never stood in its write when signal " << signal << " came";
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_FALSE(HoldsTemporaryFile(dir / "out")) << signal;
    EXPECT_EQ(ReadFileBytes(output), kEarlierList) << signal;
  }
}

TEST(HostileRuns, ADanglingLinkAtTheOutputIsWrittenThrough) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "PC1 10.0.0.1 AA\n");
  fs::create_directory(dir / "lists");
  fs::create_symlink("lists/real.ONC", dir / "computer.ONC");  // relative, and dangling
  const CliResult result =
      RunZembrixCli({"convert", "--type", "lvhua", "--output", "computer.ONC", "list.txt"}, dir.path());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(fs::is_symlink(dir / "computer.ONC"));
  EXPECT_EQ(ReadFileBytes(dir / "lists" / "real.ONC"), "[AA]\t\nIPAddr=10.0.0.1\t\nName=PC1\t\n");
}

// "生成成功!" is said only once the new name is on the disk: the folder is
// flushed after the rename.
TEST(HostileRuns, TheFolderIsFlushedAfterTheRename) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "PC1 10.0.0.1 AA\n");
  fs::create_directory(dir / "out");
  CliOptions options;
  options.environment = {{"LD_PRELOAD", ZEMBRIX_FSYNC_RECORDER},
                         {"ZEMBRIX_FSYNC_LOG", (dir / "calls.log").string()},
                         {"ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=1"}};
  const CliResult result = RunZembrixCli({"convert", "--type", "lvhua", "--output",
                                          (dir / "out" / "computer.ONC").string(),
                                          (dir / "list.txt").string()},
                                         options);
  ASSERT_EQ(result.status, 0) << result.err;
  const fs::path folder = fs::canonical(dir / "out");
  EXPECT_EQ(ReadFileBytes(dir / "calls.log"), "rename " + (folder / "computer.ONC").string() +
                                                  "\nfsync-folder " + folder.string() + "\n");
}

}  // namespace
