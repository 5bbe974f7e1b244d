// zembrix-cli's contract: commands, messages on stderr, exit statuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "conversion/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] =
    "usage: zembrix-cli convert --type TYPE [--output PATH] [--code-page N] SOURCE\n"
    "       zembrix-cli types\n"
    "       zembrix-cli --help | --version\n";

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

TEST(CliTypes, ListsIndexSlugAndNameInIndexOrder) {
  const CliResult result = RunZembrixCli({"types"});
  EXPECT_EQ(result.status, 0);
  std::string expected;
  for (const SourceTypeInfo& row : SourceTypes()) {
    expected += std::to_string(IndexOf(row.type)) + "\t" + std::string(row.slug) + "\t" +
                std::string(row.displayName) + "\n";
  }
  EXPECT_EQ(result.out, expected);
  EXPECT_NE(result.out.find("15\txinyou\t信佑或迅闪\n"), std::string::npos);
}

TEST(CliConvert, TypeByIndexSlugOrChineseNameWritesAndSaysSo) {
  ScratchDir dir;
  WriteFileBytes(dir / "列表.txt", "PC021 192.168.0.21 00e04c123abc\n");
  for (const char* type : {"21", "lvhua", "绿化大师"}) {
    const fs::path output = dir / "输出.ONC";
    const CliResult result =
        RunZembrixCli({"convert", "--type", type, "--output", output.string(), (dir / "列表.txt").string()});
    EXPECT_EQ(result.status, 0) << type;
    EXPECT_EQ(result.err, "生成成功!\n");
    EXPECT_EQ(ReadFileBytes(output), "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
  }
}

TEST(CliConvert, DefaultOutputIsComputerOncInTheCurrentFolder) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "");
  const CliResult result = RunZembrixCli({"convert", "--type=lvhua", "list.txt"}, dir.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(fs::exists(dir / "computer.ONC"));
  EXPECT_EQ(fs::file_size(dir / "computer.ONC"), 0u);
}

TEST(CliConvert, FailuresPrintTheMessageAndExitOne) {
  ScratchDir dir;
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"convert", "--type", "fanggezi-v5", (dir / "missing.txt").string()}, "打开V5文件失败!\n"},
      {{"convert", "--type", "xinyou", (dir / "missing.txt").string()}, "打开源文件失败!\n"},
      {{"convert", "--type", "lvhua", ""}, "文件路径不能为空!\n"},
      {{"convert", "--type", "lvhua", "--output", "", "x"}, "文件路径不能为空!\n"},
      {{"convert", "--type", "lvhua", "--output=", "x"}, "文件路径不能为空!\n"},
  };
  for (const auto& c : cases) {
    const CliResult result = RunZembrixCli(c.args, dir.path());
    EXPECT_EQ(result.status, 1) << c.err;
    EXPECT_EQ(result.err, c.err);
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(CliConvert, GbkNamesSurviveAndOtherCodePagesApply) {
  ScratchDir dir;
  WriteFileBytes(dir / "gbk.txt", "\xCD\xF8\xB0\xC9 1.1.1.1 AA\n");
  ASSERT_EQ(RunZembrixCli({"convert", "--type", "lvhua", "gbk.txt"}, dir.path()).status, 0);
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), "[AA]\t\nIPAddr=1.1.1.1\t\nName=\xCD\xF8\xB0\xC9\t\n");

  WriteFileBytes(dir / "latin.txt", "caf\xE9 1.1.1.1 AA\n");
  ASSERT_EQ(RunZembrixCli({"convert", "--type", "lvhua", "--code-page", "65001", "--output",
                           "utf8.ONC", "latin.txt"}, dir.path()).status, 0);
  EXPECT_EQ(ReadFileBytes(dir / "utf8.ONC"), "[AA]\t\nIPAddr=1.1.1.1\t\nName=caf\xEF\xBF\xBD\t\n");
}

TEST(CliUsage, BadArgumentsExitTwoWithUsage) {
  // "a" is a source that converts: nothing may be written all the same.
  const struct {
    std::vector<std::string> args;
    std::string what;
  } cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command: frobnicate"},
      {{"--bogus"}, "unknown command: --bogus"},
      {{"--", "types"}, "unknown command: --"},
      {{"convert", "a"}, "convert needs --type"},
      {{"convert", "--type", "22", "a"}, "unknown type: 22 (see: zembrix-cli types)"},
      {{"convert", "--type", "nosuch", "a"}, "unknown type: nosuch (see: zembrix-cli types)"},
      {{"convert", "--type", "lvhua"}, "convert needs a source file"},
      {{"convert", "--type"}, "--type needs a value"},
      {{"convert", "--type", "lvhua", "a", "--output"}, "--output needs a value"},
      {{"convert", "--type", "lvhua", "a", "b"}, "more than one source: b"},
      {{"convert", "--type", "lvhua", "--code-page", "abc", "a"}, "not a code page number: abc"},
      {{"convert", "--type", "lvhua", "--code-page", "-1", "a"}, "not a code page number: -1"},
      {{"convert", "--type", "lvhua", "--code-page", "12345", "a"}, "not an ANSI code page: 12345"},
      {{"convert", "--type", "lvhua", "--code-page", "1200", "a"}, "not an ANSI code page: 1200"},
      {{"convert", "--type", "lvhua", "--code-page", "1201", "a"}, "not an ANSI code page: 1201"},
      {{"convert", "--type", "lvhua", "--code-page", "12000", "a"}, "not an ANSI code page: 12000"},
      {{"convert", "--type", "lvhua", "--code-page", "12001", "a"}, "not an ANSI code page: 12001"},
      {{"convert", "--type", "lvhua", "--bogus", "a"}, "unknown option: --bogus"},
      {{"convert", "--type", "lvhua", "-x", "a"}, "unknown option: -x"},
      {{"convert", "--type", "lvhua", "--version", "a"}, "unknown option: --version"},
      {{"convert", "--type", "lvhua", "--type", "lvhua", "a"}, "--type given more than once"},
      {{"convert", "--type=lvhua", "--type", "xinyou", "a"}, "--type given more than once"},
      {{"convert", "--type", "lvhua", "--output", "o.ONC", "--output=p.ONC", "a"},
       "--output given more than once"},
      {{"convert", "--type", "lvhua", "--code-page", "936", "--code-page", "936", "a"},
       "--code-page given more than once"},
      {{"--version", "--version"}, "--version given more than once"},
      {{"--version", "types"}, "--version takes no command"},
      {{"--version=1"}, "--version takes no value"},
      {{"convert", "--", "--type", "lvhua", "a"}, "convert needs --type"},
      {{"convert", "--type", "lvhua", "--", "a", "b"}, "more than one source: b"},
      {{"convert", "--type", "lvhua", "a", "--", "-b"}, "more than one source: -b"},
      {{"convert", "--type", "lvhua", "--"}, "convert needs a source file"},
      {{"types", "extra"}, "types takes no arguments"},
      {{"types", "--", "extra"}, "types takes no arguments"},
      {{"types", "convert", "--type", "lvhua", "a"}, "unknown option: --type"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    WriteFileBytes(dir / "a", "PC021 192.168.0.21 00e04c123abc\n");
    const CliResult result = RunZembrixCli(c.args, dir.path());
    EXPECT_EQ(result.status, 2) << testing::PrintToString(c.args);
    EXPECT_EQ(result.err, "zembrix-cli: " + c.what + "\n" + kUsage);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(NamesIn(dir.path()), std::set<std::string>{"a"}) << testing::PrintToString(c.args);
  }
}

TEST(CliUsage, HelpAndVersion) {
  const std::vector<std::vector<std::string>> helps = {
      {"--help"},           {"-h"},
      {"convert", "--help"}, {"convert", "-h"},
      {"types", "--help"},   {"types", "-h"},
      {"convert", "--type", "lvhua", "a", "--help"},
      {"-h", "convert", "--type", "nosuch"},
  };
  for (const auto& args : helps) {
    const CliResult result = RunZembrixCli(args);
    EXPECT_EQ(result.status, 0) << testing::PrintToString(args);
    EXPECT_EQ(result.out.rfind(std::string(kUsage) + "\n", 0), 0u) << testing::PrintToString(args);
    EXPECT_NE(result.out.find("Exit status: 0 file written,"), std::string::npos);
    EXPECT_EQ(result.out, RunZembrixCli({"--help"}).out);
    EXPECT_EQ(result.err, "");
  }
  const CliResult version = RunZembrixCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("zembrix-cli ", 0), 0u);
}

TEST(CliConvert, DoubleDashAllowsASourceStartingWithADash) {
  ScratchDir dir;
  WriteFileBytes(dir / "-list.txt", "A 1 AA\n");
  EXPECT_EQ(RunZembrixCli({"convert", "--type", "lvhua", "--", "-list.txt"}, dir.path()).status, 0);
}

TEST(CliConvert, SourcesAreReadByTheirWholeName) {
  const struct {
    std::string source;
    bool afterDoubleDash;
  } cases[] = {
      {"-list.txt", true}, {"--help", true}, {"--type=lvhua", true}, {"--output=", true},
      {"--", true},        {"types", true},  {"types", false},       {"convert", false},
      {"[a,b]", false},    {"-", false},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    WriteFileBytes(dir / c.source, "A 1 AA\n");
    std::vector<std::string> args = {"convert", "--type", "lvhua", "--output", "o.ONC"};
    if (c.afterDoubleDash) args.push_back("--");
    args.push_back(c.source);
    const CliResult result = RunZembrixCli(args, dir.path());
    EXPECT_EQ(result.status, 0) << c.source;
    EXPECT_EQ(result.err, "生成成功!\n") << c.source;
    EXPECT_EQ(ReadFileBytes(dir / "o.ONC"), "[AA]\t\nIPAddr=1\t\nName=A\t\n") << c.source;
  }
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
  EXPECT_EQ(result.err, "生成成功!\n");
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

TEST(CliConvert, DelimitedWorkedExamplesConvertExactly) {
  std::string v5 = "7|PC021|00-E0-4C-12-3A-BC|192.168.0.21";
  for (int field = 4; field < 19; ++field) v5 += "|x";
  const struct {
    const char* type;
    std::string source;
    std::string expected;
  } cases[] = {
      {"xinyou", "Name,IP,MAC\nPC021,192.168.0.21,00e04c123abc\n",
       "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n"},
      {"fanggezi-v5", v5 + "\n", "[00-E0-4C-12-3A-BC]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n"},
      {"lvhua", "PC021 192.168.0.21 00e04c123abc\n",
       "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    WriteFileBytes(dir / "source.txt", c.source);
    const CliResult result = RunZembrixCli({"convert", "--type", c.type, "source.txt"}, dir.path());
    EXPECT_EQ(result.status, 0) << c.type;
    EXPECT_EQ(result.err, "生成成功!\n") << c.type;
    EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), c.expected) << c.type;
  }
}

}  // namespace
