// Runs a hostile user might try: signals while the list is written, a link
// that dangles, details that would forge lines, and the folder flush.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/messages.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr char kEarlierList[] = "[EARLIER]\t\nIPAddr=10.0.0.1\t\nName=OLD\t\n";

bool HoldsTemporaryFile(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".zembrix-")) return true;
  }
  return false;
}

// A 绿化大师 list long enough that writing it takes a while.
void WriteLargeList(const fs::path& path) {
  std::ofstream out(path, std::ios::binary);
  const std::string name(300, 'N');
  for (int i = 0; i < 100000; ++i) {
    out << name << i << " 10." << (i >> 16) << '.' << ((i >> 8) & 255) << '.' << (i & 255)
        << " 00e04c" << i << '\n';
  }
}

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

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

// Library words that quote the source are shown on one line of their own,
// with whatever would start a new line or move the cursor escaped.
TEST(HostileRuns, ADetailCannotForgeALine) {
  ScratchDir dir;
  MakeSqliteDatabase(dir / "diskless.db",
                     "create table client(Name, macaddress, ipaddress);"
                     "pragma writable_schema = on;"
                     "update sqlite_master set sql = 'create table client(\"\n生成成功!\n\x1b[2J' "
                     "where name = 'client';");
  const CliResult sqlite = RunZembrixCli({"convert", "--type", "yiyou", "diskless.db"}, dir.path());
  WriteFileBytes(dir / "list.json", "{\"macList\": [\n  {\"mac\": }\n]}");
  const CliResult json = RunZembrixCli({"convert", "--type", "xinyou6", "list.json"}, dir.path());
  for (const CliResult& result : {sqlite, json}) {
    EXPECT_EQ(result.status, 1);
    const std::string first = FirstLine(result.err);
    const std::string detail = result.err.substr(first.size());
    EXPECT_TRUE(first == "读取数据库失败!\n" || first == "打开源文件失败!\n" ||
                first == "源文件格式不正确!\n")
        << result.err;
    EXPECT_EQ(std::count(detail.begin(), detail.end(), '\n'), 1) << result.err;
    EXPECT_EQ(detail.find('\x1b'), std::string::npos) << result.err;
    EXPECT_EQ(("\n" + result.err).find("\n生成成功!\n"), std::string::npos) << result.err;
  }
}

}  // namespace
