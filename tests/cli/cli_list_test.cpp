// zembrix-cli list: the machines the list would hold, on stdout, nothing written.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "conversion/source_types.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "support/golden_files.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// The lines a list of a machine list file's bytes must print: each entry's
// values decoded in the code page, "MAC\tIP\tNAME\n".
std::string LinesOfListFile(const std::string& bytes, unsigned codePageNumber = 936) {
  const std::unique_ptr<platform::CodePage> codePage = platform::CodePage::Open(codePageNumber);
  const auto decoded = [&](std::string_view value) {
    return platform::Utf16ToUtf8(codePage->Decode(value));
  };
  // Every entry is "[MAC]\t\nIPAddr=IP\t\nName=NAME\t\n"; no byte of a
  // double-byte character is a tab or a line end.
  std::string lines;
  std::size_t at = 0;
  const auto take = [&](std::string_view prefix, std::string_view suffix) {
    EXPECT_EQ(bytes.compare(at, prefix.size(), prefix), 0) << "entry at byte " << at;
    const std::size_t start = at + prefix.size();
    const std::size_t end = bytes.find(suffix, start);
    EXPECT_NE(end, std::string::npos) << "entry at byte " << at;
    at = end == std::string::npos ? bytes.size() : end + suffix.size();
    return std::string_view(bytes).substr(start, end - start);
  };
  while (at < bytes.size()) {
    const std::string_view mac = take("[", "]\t\n");
    const std::string_view ip = take("IPAddr=", "\t\n");
    const std::string_view name = take("Name=", "\t\n");
    lines += decoded(mac) + "\t" + decoded(ip) + "\t" + decoded(name) + "\n";
  }
  return lines;
}

std::size_t EntriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

// Every example and every golden fixture: the same machines as the file it
// converts to, in the same order, and no file written.
TEST(CliList, PrintsWhatEveryGoldenListHolds) {
  std::set<DisklessType> typesSeen;
  for (const GoldenCase& golden : AllGoldenCases()) {
    ScratchDir dir;
    const fs::path source = SourceFileOf(golden, dir.path());
    const std::size_t before = EntriesIn(dir.path());
    const std::string slug(SourceTypeOf(golden.type).slug);
    const CliResult result =
        RunZembrixCli({"list", "--type", slug, platform::PathText(source)}, dir.path());
    EXPECT_EQ(result.status, 0) << golden.name << ": " << result.err;
    EXPECT_EQ(result.err, "") << golden.name;
    const std::string difference =
        FirstDifference(result.out, LinesOfListFile(ReadFileBytes(golden.expected)));
    EXPECT_TRUE(difference.empty()) << golden.name << "\n" << difference;
    EXPECT_EQ(EntriesIn(dir.path()), before) << golden.name;
    typesSeen.insert(golden.type);
  }
  EXPECT_EQ(typesSeen.size(), kDisklessTypeCount);
}

// What the code page cannot write is listed as the file gets it, and a value
// that holds a line end, a tab or a backslash stays on its machine's line.
TEST(CliList, ValuesAreTheFilesEvenWhereTheCodePageFallsShort) {
  ScratchDir dir;
  // Kuaiba's XML in UTF-8: a name beyond code page 936, one with line ends,
  // a tab and a backslash.
  WriteFileBytes(dir / "KB.XML",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?><KB><wks>"
                 "<pc cName=\"\xF0\x9F\x98\x80pc\xE7\xBD\x91\" MAC=\"00e04c000001\" clientIP=\"10.0.0.1\"/>"
                 "<pc cName=\"a&#10;b&#9;c\\d&#13;\" MAC=\"00e04c000002\" clientIP=\"10.0.0.2\"/>"
                 "</wks></KB>");
  const CliResult listed = RunZembrixCli({"list", "--type", "kuaiba", "KB.XML"}, dir.path());
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out,
            "00:E0:4C:00:00:01\t10.0.0.1\t??PC\xE7\xBD\x91\n"
            "00:E0:4C:00:00:02\t10.0.0.2\tA B\\tC\\\\D \n");
  // The first line is what the written file holds, read back; the second
  // holds the same spaces where the source had line ends.
  ASSERT_EQ(RunZembrixCli({"convert", "--type", "kuaiba", "KB.XML"}, dir.path()).status, 0);
  const std::string bytes = ReadFileBytes(dir / "computer.ONC");
  const std::string written = LinesOfListFile(bytes);
  EXPECT_EQ(written.substr(0, written.find('\n') + 1),
            listed.out.substr(0, listed.out.find('\n') + 1));
  EXPECT_NE(bytes.find("\nName=A B\tC\\D \t\n"), std::string::npos);

  // --code-page reads and lists in that code page, as convert writes in it.
  WriteFileBytes(dir / "latin.txt", "caf\xE9 1.1.1.1 AA\n");
  const CliResult utf8 =
      RunZembrixCli({"list", "--type", "lvhua", "--code-page", "65001", "latin.txt"}, dir.path());
  EXPECT_EQ(utf8.status, 0) << utf8.err;
  EXPECT_EQ(utf8.out, "AA\t1.1.1.1\tcaf\xEF\xBF\xBD\n");
}

// A source that cannot be read: the very messages convert gives, exit 1,
// nothing on stdout and nothing written.
TEST(CliList, FailuresAreConvertsFailures) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "PC021 192.168.0.21 00e04c123abc\n");
  WriteFileBytes(dir / "Config.db", "not a database, only text\n");
  const struct {
    std::string type;
    std::string source;
    std::string err;  // its first line
  } cases[] = {
      {"fanggezi-v5", "missing.txt", "打开V5文件失败!\n"},
      {"xinyou", "missing.txt", "打开源文件失败!\n"},
      {"ald", "missing.dat", "打开ALD文件失败!\n"},
      {"lvhua", "", "文件路径不能为空!\n"},
      {"ccboot", "list.txt", "源文件格式不正确!\n"},
      {"vhd", "Config.db", "读取数据库失败!\n"},
      {"wangwei8", ".", "打开源文件失败!\n"},
  };
  for (const auto& c : cases) {
    const CliResult listed = RunZembrixCli({"list", "--type", c.type, c.source}, dir.path());
    const CliResult converted =
        RunZembrixCli({"convert", "--type", c.type, "--output", "out.ONC", c.source}, dir.path());
    EXPECT_EQ(listed.status, 1) << c.type << " " << c.source;
    EXPECT_EQ(listed.err.substr(0, listed.err.find('\n') + 1), c.err) << c.type << " " << c.source;
    EXPECT_EQ(listed.err, converted.err) << c.type << " " << c.source;
    EXPECT_EQ(listed.out, "");
  }
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

// A source whose values hold line breaks cannot forge a machine or give one
// another address: the file keeps one entry of three lines a machine, the
// report counts what came across, and `list` shows the file's values.
TEST(CliList, ALineBreakInAValueForgesNoMachine) {
  struct Case {
    const char* type;
    std::string source;
    std::string list;
  };
  const Case cases[] = {
      {"kuaiba",
       "<KB><wks><client MAC=\"00e04c123a01\" clientIP=\"192.168.0.1\" "
       "cName=\"pc1&#10;[66:66:66:66:66:66]&#10;IPAddr=6.6.6.6&#10;Name=EVIL\"/></wks></KB>",
       "[00:E0:4C:12:3A:01]\t\nIPAddr=192.168.0.1\t\n"
       "Name=PC1 [66:66:66:66:66:66] IPADDR=6.6.6.6 NAME=EVIL\t\n"},
      {"xinyou6",
       R"({"macList": [{"mac": "aa\r\n[66]", "ip": "10.0.0.1\nIPAddr=6.6.6.6", "pc": "pc1\r"}]})",
       "[AA  [66]]\t\nIPAddr=10.0.0.1 IPAddr=6.6.6.6\t\nName=PC1 \t\n"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    WriteFileBytes(dir / "source", c.source);
    const CliResult converted = RunZembrixCli(
        {"convert", "--type", c.type, "--output", "computer.ONC", "source"}, dir.path());
    EXPECT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(converted.err, "生成成功!\n已写入 1 台机器；值中换行已改为空格的机器 1 台\n") << c.type;
    const std::string bytes = ReadFileBytes(dir / "computer.ONC");
    EXPECT_EQ(bytes, c.list) << c.type;
    const CliResult listed = RunZembrixCli({"list", "--type", c.type, "source"}, dir.path());
    EXPECT_EQ(listed.out, LinesOfListFile(bytes)) << c.type;
  }
}

// A long list leaves in pieces; every machine arrives, in order.
TEST(CliList, ALongListArrivesWhole) {
  ScratchDir dir;
  std::string source;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string n = std::to_string(i);
    source += "PC" + n + " 10.0." + n + " MAC" + n + "\n";
    expected += "MAC" + n + "\t10.0." + n + "\tPC" + n + "\n";
  }
  WriteFileBytes(dir / "list.txt", source);
  const CliResult result = RunZembrixCli({"list", "--type", "lvhua", "list.txt"}, dir.path());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out == expected) << FirstDifference(result.out, expected);
}

}  // namespace
