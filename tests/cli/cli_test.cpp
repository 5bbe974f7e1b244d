// zembrix-cli's contract: commands, messages on stderr, exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "conversion/source_types.h"
#include "platform/path_text.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] =
    "usage: zembrix-cli convert --type TYPE [--output PATH] [--code-page N] SOURCE\n"
    "       zembrix-cli list --type TYPE [--code-page N] SOURCE\n"
    "       zembrix-cli detect [--code-page N] SOURCE\n"
    "       zembrix-cli types\n"
    "       zembrix-cli --help | --version\n";

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(platform::PathText(entry.path().filename()));
  }
  return names;
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
  const fs::path source = dir.path() / u8"列表.txt";
  WriteFileBytes(source, "PC021 192.168.0.21 00e04c123abc\n");
  for (const char* type : {"21", "lvhua", "绿化大师"}) {
    const fs::path output = dir.path() / u8"输出.ONC";
    const CliResult result = RunZembrixCli({"convert", "--type", type, "--output",
                                            platform::PathText(output), platform::PathText(source)});
    EXPECT_EQ(result.status, 0) << type;
    EXPECT_EQ(result.err, "生成成功!\n已写入 1 台机器\n");
    EXPECT_EQ(ReadFileBytes(output), "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
  }
}

// After "生成成功!" one line: machines written, records skipped by reason,
// repeated addresses; a failure has no such line.
TEST(CliConvert, ASuccessIsFollowedByTheReport) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt",
                 "Name,IP,MAC\nA,10.0.0.1,AA\nB,10.0.0.1,AA\nC,10.0.0.2,,x\nD\nE,10.0.0.3,EE\n");
  const CliResult result = RunZembrixCli({"convert", "--type", "xinyou", "list.txt"}, dir.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err,
            "生成成功!\n已写入 3 台机器；跳过 2 条记录（缺少值 1，格式不符 1）；"
            "重复的 MAC 地址 1 个，重复的 IP 地址 1 个\n");
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            "[AA]\t\nIPAddr=10.0.0.1\t\nName=A\t\n[AA]\t\nIPAddr=10.0.0.1\t\nName=B\t\n"
            "[EE]\t\nIPAddr=10.0.0.3\t\nName=E\t\n");
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
      {{"convert", "--type", "fanggezi-v5", platform::PathText(dir / "missing.txt")}, "打开V5文件失败!\n"},
      {{"convert", "--type", "xinyou", platform::PathText(dir / "missing.txt")}, "打开源文件失败!\n"},
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
      {{"list", "a"}, "list needs --type"},
      {{"list", "--type", "nosuch", "a"}, "unknown type: nosuch (see: zembrix-cli types)"},
      {{"list", "--type", "lvhua"}, "list needs a source file"},
      {{"list", "--type", "lvhua", "a", "b"}, "more than one source: b"},
      {{"list", "--type", "lvhua", "--output", "o.ONC", "a"}, "unknown option: --output"},
      {{"list", "--type", "lvhua", "--code-page", "abc", "a"}, "not a code page number: abc"},
      {{"list", "--type", "lvhua", "--code-page", "1200", "a"}, "not an ANSI code page: 1200"},
      {{"list", "--type", "lvhua", "--type", "lvhua", "a"}, "--type given more than once"},
      {{"detect"}, "detect needs a source file"},
      {{"detect", "a", "b"}, "more than one source: b"},
      {{"detect", "--type", "lvhua", "a"}, "unknown option: --type"},
      {{"detect", "--output", "o.ONC", "a"}, "unknown option: --output"},
      {{"detect", "--code-page", "-1", "a"}, "not a code page number: -1"},
      {{"detect", "--code-page", "12000", "a"}, "not an ANSI code page: 12000"},
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
      {"list", "--help"},    {"detect", "-h"},
      {"detect", "a", "--help"},
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
    EXPECT_EQ(result.err, "生成成功!\n已写入 1 台机器\n") << c.source;
    EXPECT_EQ(ReadFileBytes(dir / "o.ONC"), "[AA]\t\nIPAddr=1\t\nName=A\t\n") << c.source;
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
    EXPECT_EQ(result.err, "生成成功!\n已写入 1 台机器\n") << c.type;
    EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), c.expected) << c.type;
  }
}

}  // namespace
