// The documented examples of each structured source convert exactly through zembrix-cli.
#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

using namespace std::string_literals;

struct WorkedExample {
  const char* slug;
  const char* fileName;
  std::string source;
  std::string expected;  // the machine list file's bytes
};

constexpr const char* kExampleEntry = "IPAddr=192.168.0.21\t\nName=";

TEST(WorkedExamples, ConvertExactlyThroughTheCommandLine) {
  std::string aldRecord(348, '\0');
  aldRecord.replace(20, 4, "\xC0\xA8\x00\x15"s);
  aldRecord.replace(44, 12, "00e04c123abc");
  aldRecord.replace(60, 5, "pc021");
  const WorkedExample examples[] = {
      {"ruiqi", "wks.ini", "[00e04c123abc]\r\nIpAddr=192.168.0.21\r\nWksName=pc021\r\n",
       "[00:E0:4C:12:3A:BC]\t\n"s + kExampleEntry + "PC021\t\n"},
      {"ald", "wsk.dat", aldRecord, "[00:E0:4C:12:3A:BC]\t\n"s + kExampleEntry + "PC021\t\n"},
      {"xinyou6", "list.txt",
       R"({"macList":[{"mac":"00e04c123abc","ip":"192.168.0.21","pc":"pc021"}]})",
       "[00E04C123ABC]\t\n"s + kExampleEntry + "PC021\t\n"},
      {"shunwupan", "list.clt", R"({"id":"PC01","mac":"00E04C123ABC","ip":"192.168.0.21"})",
       "[00E04C123ABC]\t\n"s + kExampleEntry + "PC01\t\n"},
  };
  for (const WorkedExample& example : examples) {
    ScratchDir dir;
    WriteFileBytes(dir / example.fileName, example.source);
    const CliResult result =
        RunZembrixCli({"convert", "--type", example.slug, example.fileName}, dir.path());
    EXPECT_EQ(result.status, 0) << example.slug << ": " << result.err;
    EXPECT_EQ(result.err, "生成成功!\n已写入 1 台机器\n") << example.slug;
    EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), example.expected) << example.slug;
  }
}

TEST(WorkedExamples, UnreadableSourcesAreNoSuccess) {
  const std::pair<const char*, const char*> cases[] = {
      {"ruiqi", "打开源文件失败!\n"}, {"mzd", "打开源文件失败!\n"},
      {"obm", "打开源文件失败!\n"},   {"wangzhong", "打开源文件失败!\n"},
      {"xinyou6", "打开源文件失败!\n"}, {"ald", "打开ALD文件失败!\n"},
      {"shunwupan", "打开顺无盘文件失败!\n"},
  };
  for (const auto& [slug, message] : cases) {
    ScratchDir dir;
    const CliResult result = RunZembrixCli({"convert", "--type", slug, "missing"}, dir.path());
    EXPECT_EQ(result.status, 1) << slug;
    EXPECT_EQ(result.err, message) << slug;
    EXPECT_FALSE(std::filesystem::exists(dir / "computer.ONC")) << slug;
  }
}

}  // namespace
