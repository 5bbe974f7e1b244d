// zembrix-cli's contract where it rests on POSIX: paths as bytes, and what
// it does when its standard streams cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().native());
  }
  return names;
}

// A file descriptor, closed when it goes.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The write end of a pipe whose read end is closed: every write fails with EPIPE.
Fd ClosedPipe() {
  int ends[2];
  if (::pipe(ends) != 0) throw std::runtime_error("no pipe");
  ::close(ends[0]);
  return Fd(ends[1]);
}

Fd OpenForWriting(const fs::path& path) {
  return Fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
}

// Runs the built zembrix-cli in `cwd` with `out` and `err` as its stdout and
// stderr, started as a shell starts it (SIGPIPE not ignored). Gives the exit
// status, or as a shell does 128 + the signal that ended it.
int RunCliWithStreams(const std::vector<std::string>& arguments, const fs::path& cwd, int out,
                      int err) {
  std::vector<std::string> argvStrings{ZEMBRIX_CLI_PATH};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : argvStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("cannot start zembrix-cli");
  if (pid == 0) {
    std::signal(SIGPIPE, SIG_DFL);
    if (::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::chdir(cwd.c_str()) != 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(CliConvert, PathsAreTheArgumentsBytes) {
  // Neither name is UTF-8: C0 AF is an overlong "/", FF never occurs.
  const std::string source = "l\xFF\xFE.txt";
  const std::string output = "o\xC0\xAF.ONC";
  ScratchDir dir;
  WriteFileBytes(dir / source, "PC021 192.168.0.21 00e04c123abc\n");
  const CliResult result =
      RunZembrixCli({"convert", "--type", "lvhua", "--output", output, source}, dir.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "生成成功!\n已写入 1 台机器\n");
  EXPECT_EQ(NamesIn(dir.path()), (std::set<std::string>{source, output}));
  EXPECT_EQ(ReadFileBytes(dir / output), "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
}

TEST(CliStreams, AClosedStderrChangesNeitherTheListNorTheStatus) {
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"convert", "--type", "lvhua", "--output", "o.ONC", "list.txt"}, 0},
      {{"convert", "--type", "lvhua", "--output", "o.ONC", "missing.txt"}, 1},
      {{"convert", "--type", "lvhua", "--output", "o.ONC", "--code-page", "1200", "list.txt"}, 2},
      {{"convert", "--output", "o.ONC", "list.txt"}, 2},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    WriteFileBytes(dir / "list.txt", "PC021 192.168.0.21 00e04c123abc\n");
    const Fd out = OpenForWriting("/dev/null");
    const Fd err = ClosedPipe();
    EXPECT_EQ(RunCliWithStreams(c.args, dir.path(), out.get(), err.get()), c.status)
        << testing::PrintToString(c.args);
    if (c.status == 0) {
      EXPECT_EQ(ReadFileBytes(dir / "o.ONC"),
                "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
    } else {
      EXPECT_FALSE(fs::exists(dir / "o.ONC")) << testing::PrintToString(c.args);
    }
  }
}

TEST(CliStreams, PrintingFailsWhenStdoutCannotBeWritten) {
  const std::vector<std::vector<std::string>> printing = {
      {"types"}, {"--help"}, {"convert", "--help"}, {"--version"}};
  for (const auto& args : printing) {
    ScratchDir dir;
    const Fd err = OpenForWriting(dir / "err");
    {
      const Fd full = OpenForWriting("/dev/full");
      EXPECT_EQ(RunCliWithStreams(args, dir.path(), full.get(), err.get()), 1)
          << testing::PrintToString(args);
      EXPECT_EQ(ReadFileBytes(dir / "err").rfind("zembrix-cli: cannot write to stdout: ", 0), 0u);
    }
    {
      const Fd closed = ClosedPipe();
      EXPECT_EQ(RunCliWithStreams(args, dir.path(), closed.get(), err.get()), 1)
          << testing::PrintToString(args);
    }
    {
      const Fd null = OpenForWriting("/dev/null");
      EXPECT_EQ(RunCliWithStreams(args, dir.path(), null.get(), err.get()), 0)
          << testing::PrintToString(args);
    }
  }
}

}  // namespace
