// The SQLite reader for types 7, 13, 18 and 19.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <variant>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "platform/path_text.h"
#include "readers/database/sqlite_database.h"
#include "readers/database/sqlite_failure_case.h"
#include "readers/database/sqlite_exception.h"
#include "support/reader_run.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace sqlite_reader_tests {
namespace {

using T = DisklessType;

// Each type's table with the columns in name, MAC, IP order, and rows for it.
std::string Table(DisklessType type, const std::string& rows) {
  std::string sql;
  switch (type) {
    case T::Yiyou: sql = "create table client(Name text, macaddress text, ipaddress text);"; break;
    case T::Yileyou: sql = "create table workstation(computer text, mac text, ip text);"; break;
    case T::Vhd: sql = "create table comp(name text, mac text, ip4 text);"; break;
    case T::Wangwei8: sql = "create table tbl_Computer(ComputerName text, Mac text, Ip text);"; break;
    default: ADD_FAILURE() << "not an SQLite type";
  }
  const std::string table = sql.substr(13, sql.find('(') - 13);
  if (!rows.empty()) sql += "insert into " + table + " values " + rows + ";";
  return sql;
}

struct ReadCase {
  const char* what;
  DisklessType type;
  std::string sql;
  std::u16string expected;  // the output text
  std::size_t skipped = 0;  // rows without a MAC, or with VHD's zero IP
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.what; }

class SqliteReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(SqliteReadTest, ListsTheAcceptedRows) {
  ScratchDir dir;
  const fs::path source = dir / "source.db";
  MakeSqliteDatabase(source, GetParam().sql);
  const SourceSnapshot before(source);
  const ReaderRun run = ReadFileAs(GetParam().type, source);
  EXPECT_TRUE(run.write);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.skipped.Count(SkipReason::LackingValue), GetParam().skipped);
  EXPECT_EQ(run.skipped.Total(), GetParam().skipped);
  EXPECT_TRUE(SourceSnapshot(source) == before);
}

const std::string kLongName(300, 'a');
const std::string kPairAtTheCut = std::string(258, 'a') + "\xF0\x9F\x98\x80" + "b";

INSTANTIATE_TEST_SUITE_P(
    Rules, SqliteReadTest,
    testing::Values(
        ReadCase{"dashes_become_colons_and_upper_case", T::Yiyou,
                 Table(T::Yiyou, "('pc01', '00-e0-4c-12-3a-bc', '192.168.0.1')"),
                 Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.1", u"PC01")},
        ReadCase{"no_colons_inserted_nothing_trimmed", T::Yileyou,
                 Table(T::Yileyou, "('a', '00e04c123abc', '1'), ('b', ' aa.bb-cc ', ' 2 ')"),
                 Entry(u"00E04C123ABC", u"1", u"A") + Entry(u" AA.BB:CC ", u" 2 ", u"B")},
        ReadCase{"null_or_empty_mac_skipped", T::Wangwei8,
                 Table(T::Wangwei8, "('a', NULL, '1'), ('b', '', '2'), ('c', 'cc', '3')"),
                 Entry(u"CC", u"3", u"C"), 2},
        ReadCase{"no_row_with_a_mac", T::Vhd, Table(T::Vhd, "('a', NULL, '1'), ('b', '', '2')"),
                 u"", 2},
        ReadCase{"empty_table", T::Yiyou, Table(T::Yiyou, ""), u""},
        ReadCase{"null_name_and_ip_written_empty", T::Vhd, Table(T::Vhd, "(NULL, 'aa', NULL)"),
                 Entry(u"AA", u"", u"")},
        ReadCase{"vhd_skips_exactly_zero_ip", T::Vhd,
                 Table(T::Vhd, "('a', 'aa', '0.0.0.0'), ('b', 'bb', ' 0.0.0.0'), "
                               "('c', 'cc', ''), ('d', 'dd', '0.0.0.0 '), ('e', '', '1')"),
                 Entry(u"BB", u" 0.0.0.0", u"B") + Entry(u"CC", u"", u"C") +
                     Entry(u"DD", u"0.0.0.0 ", u"D"),
                 2},
        ReadCase{"yiyou_keeps_zero_ip", T::Yiyou, Table(T::Yiyou, "('a', 'aa', '0.0.0.0')"),
                 Entry(u"AA", u"0.0.0.0", u"A")},
        ReadCase{"yileyou_keeps_zero_ip", T::Yileyou, Table(T::Yileyou, "('a', 'aa', '0.0.0.0')"),
                 Entry(u"AA", u"0.0.0.0", u"A")},
        ReadCase{"wangwei8_keeps_zero_ip", T::Wangwei8,
                 Table(T::Wangwei8, "('a', 'aa', '0.0.0.0')"), Entry(u"AA", u"0.0.0.0", u"A")},
        ReadCase{"numbers_as_their_decimal_text", T::Yiyou,
                 "create table client(Name, macaddress, ipaddress);"
                 "insert into client values (7, 'aa', 3232235521), ('b', 'bb', 1.5);",
                 Entry(u"AA", u"3232235521", u"7") + Entry(u"BB", u"1.5", u"B")},
        ReadCase{"columns_found_whatever_their_case", T::Yileyou,
                 "create table WORKSTATION(ID integer, IP text, MAC text, COMPUTER text);"
                 "insert into workstation values (1, '10.0.0.1', 'aa', 'pc1');",
                 Entry(u"AA", u"10.0.0.1", u"PC1")},
        ReadCase{"lower_case_declaration_for_mixed_case_query", T::Wangwei8,
                 "create table tbl_computer(computername, mac, ip);"
                 "insert into tbl_computer values ('pc1', 'aa', '1');",
                 Entry(u"AA", u"1", u"PC1")},
        ReadCase{"chinese_names_unchanged", T::Wangwei8,
                 Table(T::Wangwei8, "('网吧01号', 'aa', '1'), ('pc网吧', 'bb', '2')"),
                 Entry(u"AA", u"1", u"网吧01号") + Entry(u"BB", u"2", u"PC网吧")},
        ReadCase{"duplicates_in_row_order", T::Vhd,
                 Table(T::Vhd, "('b', 'aa', '2'), ('a', 'aa', '1'), ('b', 'aa', '2')"),
                 Entry(u"AA", u"2", u"B") + Entry(u"AA", u"1", u"A") + Entry(u"AA", u"2", u"B")},
        ReadCase{"long_values_cut_to_259", T::Yiyou,
                 Table(T::Yiyou, "('" + kLongName + "', '" + kLongName + "', '" + kPairAtTheCut +
                                     "')"),
                 Entry(std::u16string(259, u'A'), std::u16string(258, u'a'),
                       std::u16string(259, u'A'))}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.what); });

// A page near the end overwritten: the first rows read, a later step fails.
fs::path DamagedDatabase(const ScratchDir& dir) {
  const fs::path path = Database(dir, kManyVhdRows);
  std::string bytes = ReadFileBytes(path);
  const std::size_t page = 4096;
  bytes.replace(bytes.size() - 3 * page, page, page, '\xFF');
  WriteFileBytes(path, bytes);
  return path;
}

// Every failure shows one message, writes nothing, and leaves the source and
// its folder exactly as they were.
TEST_P(SqliteFailureTest, ShowsItsMessageAndWritesNothing) {
  ScratchDir dir;
  ScratchDir outputDir;
  const fs::path source = GetParam().makeSource(dir);
  const fs::path output = outputDir / "computer.ONC";
  WriteFileBytes(output, "earlier");
  const SourceSnapshot before(source);
  RecordingHost host;
  ConvertMachineList(GetParam().type, source, output, ConversionContext::Default(), host);
  EXPECT_EQ(host.messages, std::vector{GetParam().message});
  EXPECT_EQ(host.details, std::vector{GetParam().detail});
  EXPECT_EQ(host.endedOk, 0);
  EXPECT_EQ(ReadFileBytes(output), "earlier");
  EXPECT_TRUE(SourceSnapshot(source) == before);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SqliteFailureTest,
    testing::Values(
        FailureCase{"missing_file_is_not_created", T::Yiyou,
                    [](const ScratchDir& dir) { return dir / "diskless.db"; },
                    Message::OpenSourceFailed, ""},
        // Inside the scratch folder, whose listing no other test changes.
        FailureCase{"folder", T::Vhd,
                    [](const ScratchDir& dir) {
                      fs::create_directory(dir / "Config.db");
                      return dir / "Config.db";
                    },
                    Message::OpenSourceFailed, ""},
        FailureCase{"not_a_database", T::Wangwei8,
                    [](const ScratchDir& dir) { return FileWith(dir, "Name,IP,MAC\nPC01,1,aa\n"); },
                    Message::ReadDatabaseFailed, "UNKNOWN_ERROR[26]: "},
        FailureCase{"empty_file", T::Wangwei8,
                    [](const ScratchDir& dir) { return FileWith(dir, ""); },
                    Message::ReadDatabaseFailed, "SQLITE_ERROR[1]: "},
        FailureCase{"another_types_database", T::Yiyou,
                    [](const ScratchDir& dir) { return Database(dir, Table(T::Vhd, "('a','aa','1')")); },
                    Message::ReadDatabaseFailed, "SQLITE_ERROR[1]: "},
        FailureCase{"column_missing", T::Vhd,
                    [](const ScratchDir& dir) { return Database(dir, "create table comp(name, mac);"); },
                    Message::ReadDatabaseFailed, "SQLITE_ERROR[1]: "},
        FailureCase{"damaged_pages", T::Vhd, DamagedDatabase, Message::ReadDatabaseFailed,
                    "SQLITE_CORRUPT[11]: database disk image is malformed"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.what); });

// A failed read hands over no machines, so the rows read before the damage
// are counted through the wrapper with the type's own query.
TEST(SqliteSource, ADamagedPageEndsTheReadingPartWay) {
  ScratchDir dir;
  const fs::path source = DamagedDatabase(dir);
  const ReaderRun run = ReadFileAs(T::Vhd, source);
  EXPECT_FALSE(run.write);
  EXPECT_EQ(run.messages, std::vector{Message::ReadDatabaseFailed});

  const char* query = std::get<SqliteLayout>(SourceTypeOf(T::Vhd).settings).query;
  CppSQLite3DB db;
  db.openReadOnly(platform::PathText(source).c_str(), 1000);
  int rowsRead = 0;
  EXPECT_THROW(
      {
        for (CppSQLite3Query rows = db.query(query); !rows.atEnd(); rows.advance()) ++rowsRead;
      },
      CppSQLite3Exception);
  EXPECT_GT(rowsRead, 0);
}

TEST(SqliteSource, AReadOnlySourceConverts) {
  ScratchDir dir;
  const fs::path source = Database(dir, Table(T::Yiyou, "('pc1', 'aa', '1')"));
  fs::permissions(source, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const SourceSnapshot before(source);
  RecordingHost host;
  ConvertMachineList(T::Yiyou, source, dir / "computer.ONC", ConversionContext::Default(), host);
  EXPECT_EQ(host.messages, std::vector{Message::Success});
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), "[AA]\t\nIPAddr=1\t\nName=PC1\t\n");
  fs::remove(dir / "computer.ONC");
  EXPECT_TRUE(SourceSnapshot(source) == before);
}

// The committed sample databases are made from the SQL text beside them; the
// text must still make a database that converts to the same file.
TEST(SqliteSource, SampleSqlTextMakesTheSample) {
  ScratchDir dir;
  int checked = 0;
  for (const SourceTypeInfo& type : SourceTypes()) {
    if (!std::holds_alternative<SqliteLayout>(type.settings)) continue;
    const fs::path folder = fs::path(ZEMBRIX_SOURCE_DIR) / "examples" / type.slug;
    for (const auto& file : fs::directory_iterator(folder)) {
      if (file.path().extension() != ".sql") continue;
      MakeSqliteDatabase(dir / "sample.db", ReadFileBytes(file.path()));
      RecordingHost host;
      ConvertMachineList(type.type, dir / "sample.db", dir / "out.ONC",
                         ConversionContext::Default(), host);
      ASSERT_EQ(host.messages, std::vector{Message::Success}) << file.path();
      EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(ExampleOutput(type.slug)))
          << file.path();
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(SqliteSource, CommandLinePrintsSqlitesWordsBeneathTheMessage) {
  ScratchDir dir;
  WriteFileBytes(dir / "Config.db", "not a database");
  const CliResult result = RunZembrixCli({"convert", "--type", "vhd", "Config.db"}, dir.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "读取数据库失败!\nUNKNOWN_ERROR[26]: \n");
  EXPECT_FALSE(fs::exists(dir / "computer.ONC"));
}

}  // namespace
}  // namespace sqlite_reader_tests
