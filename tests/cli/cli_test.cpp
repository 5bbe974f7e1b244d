// zembrix-cli's contract: commands, messages on stderr, exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

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
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"convert", "x.txt"},
      {"convert", "--type", "22", "x.txt"},
      {"convert", "--type", "nosuch", "x.txt"},
      {"convert", "--type", "lvhua"},
      {"convert", "--type"},
      {"convert", "--type", "lvhua", "a", "b"},
      {"convert", "--type", "lvhua", "--code-page", "abc", "a"},
      {"convert", "--type", "lvhua", "--code-page", "12345", "a"},
      {"convert", "--type", "lvhua", "--bogus", "a"},
      {"types", "extra"},
  };
  for (const auto& args : cases) {
    const CliResult result = RunZembrixCli(args);
    EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
    EXPECT_NE(result.err.find("usage: zembrix-cli"), std::string::npos);
  }
}

TEST(CliUsage, HelpAndVersion) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--help"}, {"convert", "--help"}}) {
    const CliResult result = RunZembrixCli(args);
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("usage: zembrix-cli convert"), std::string::npos);
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
