// Runs a hostile user might try: details that would forge lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

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
