// The SQLite wrapper: codes and messages, misuse checks, rows, hand-over.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/path_text.h"
#include "readers/database/sqlite_database.h"
#include "readers/database/sqlite_exception.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// Runs the action and gives the wrapper exception it raised.
template <typename Action>
CppSQLite3Exception Raised(Action action) {
  try {
    action();
  } catch (const CppSQLite3Exception& error) {
    return error;
  }
  ADD_FAILURE() << "no CppSQLite3Exception";
  return CppSQLite3Exception(-1, "nothing raised");
}

TEST(CppSQLite3Exception, NamesEachCode) {
  const std::pair<int, const char*> cases[] = {
      {0, "SQLITE_OK"},         {1, "SQLITE_ERROR"},        {5, "SQLITE_BUSY"},
      {14, "SQLITE_CANTOPEN"},  {23, "SQLITE_AUTH"},        {25, "SQLITE_RANGE"},
      {26, "UNKNOWN_ERROR"},    {99, "UNKNOWN_ERROR"},      {100, "SQLITE_ROW"},
      {101, "SQLITE_DONE"},     {102, "UNKNOWN_ERROR"},     {999, "UNKNOWN_ERROR"},
      {1000, "CPPSQLITE_ERROR"}, {1001, "UNKNOWN_ERROR"},   {-1, "UNKNOWN_ERROR"},
  };
  for (const auto& [code, name] : cases) {
    EXPECT_STREQ(CppSQLite3Exception::codeName(code), name) << code;
  }
}

TEST(CppSQLite3Exception, MessageIsNameCodeAndDetail) {
  const struct {
    int code;
    const char* detail;
    const char* message;
  } cases[] = {
      {14, "unable to open database file", "SQLITE_CANTOPEN[14]: unable to open database file"},
      {1000, "Database not open", "CPPSQLITE_ERROR[1000]: Database not open"},
      {1, "", "SQLITE_ERROR[1]: "},
      {1, nullptr, "SQLITE_ERROR[1]: "},
      {-1, "odd", "UNKNOWN_ERROR[-1]: odd"},
  };
  for (const auto& c : cases) {
    const CppSQLite3Exception error(c.code, c.detail);
    EXPECT_EQ(error.code(), c.code);
    EXPECT_STREQ(error.message(), c.message);
  }
}

TEST(CppSQLite3Exception, CopiesOwnTheirMessage) {
  auto original = std::make_unique<CppSQLite3Exception>(5, "database is locked");
  const CppSQLite3Exception copy(*original);
  CppSQLite3Exception assigned(0, "");
  assigned = *original;
  original.reset();
  EXPECT_EQ(copy.code(), 5);
  EXPECT_STREQ(copy.message(), "SQLITE_BUSY[5]: database is locked");
  EXPECT_EQ(assigned.code(), 5);
  EXPECT_STREQ(assigned.message(), "SQLITE_BUSY[5]: database is locked");
}

class SqliteWrapper : public testing::Test {
 protected:
  void SetUp() override {
    MakeSqliteDatabase(path_, R"sql(
      create table machines(Mac text, n, note);
      insert into machines values ('aa', NULL, x'6869'), ('bb', 2, 2.5);
      create table empty_list(a);
    )sql");
  }

  ScratchDir dir_;
  fs::path path_ = dir_ / "list.db";
};

TEST_F(SqliteWrapper, QueryNeedsAnOpenDatabase) {
  CppSQLite3DB db;
  const auto never = Raised([&] { (void)db.query("select 1"); });
  EXPECT_EQ(never.code(), 1000);
  EXPECT_STREQ(never.message(), "CPPSQLITE_ERROR[1000]: Database not open");
  db.openReadOnly(platform::PathText(path_).c_str(), 1000);
  db.close();
  db.close();
  EXPECT_STREQ(Raised([&] { (void)db.query("select 1"); }).message(),
               "CPPSQLITE_ERROR[1000]: Database not open");
}

TEST_F(SqliteWrapper, ReadsValuesByNameWhateverTheCase) {
  CppSQLite3DB db;
  db.openReadOnly(platform::PathText(path_).c_str(), 1000);
  CppSQLite3Query rows = db.query("select mac, n, note from machines");
  ASSERT_FALSE(rows.atEnd());
  EXPECT_EQ(rows.columnIndex("MAC"), 0);
  EXPECT_STREQ(rows.textByName("MAC"), "aa");
  EXPECT_EQ(rows.columnType(1), SQLITE_NULL);
  EXPECT_STREQ(rows.textByName("n"), "");
  EXPECT_STREQ(rows.textByName("Note"), "hi");  // a blob's bytes unchanged
  rows.advance();
  ASSERT_FALSE(rows.atEnd());
  EXPECT_STREQ(rows.textByName("n"), "2");
  EXPECT_STREQ(rows.textByName("note"), "2.5");
  rows.advance();
  EXPECT_TRUE(rows.atEnd());
  rows.finish();
  rows.finish();
  EXPECT_EQ(Raised([&] { (void)rows.atEnd(); }).code(), 1000);
}

TEST_F(SqliteWrapper, AnEmptyResultIsAtEndAtOnce) {
  CppSQLite3DB db;
  db.openReadOnly(platform::PathText(path_).c_str(), 1000);
  CppSQLite3Query rows = db.query("select a from empty_list");
  EXPECT_TRUE(rows.atEnd());
  rows.finish();
}

TEST_F(SqliteWrapper, MisuseRaisesItsFixedDetail) {
  CppSQLite3DB db;
  db.openReadOnly(platform::PathText(path_).c_str(), 1000);
  CppSQLite3Query rows = db.query("select Mac, n from machines");
  CppSQLite3Query none;
  const struct {
    const char* what;
    std::function<void()> action;
    const char* message;
  } cases[] = {
      {"unknown name", [&] { (void)rows.textByName("ip"); },
       "CPPSQLITE_ERROR[1000]: Invalid field name requested"},
      {"name prefix", [&] { (void)rows.columnIndex("Ma"); },
       "CPPSQLITE_ERROR[1000]: Invalid field name requested"},
      {"null name", [&] { (void)rows.columnIndex(nullptr); },
       "CPPSQLITE_ERROR[1000]: Invalid field name requested"},
      {"index below", [&] { (void)rows.columnType(-1); },
       "CPPSQLITE_ERROR[1000]: Invalid field index requested"},
      {"index past", [&] { (void)rows.columnType(2); },
       "CPPSQLITE_ERROR[1000]: Invalid field index requested"},
      {"atEnd", [&] { (void)none.atEnd(); }, "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer"},
      {"advance", [&] { none.advance(); }, "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer"},
      {"columnIndex", [&] { (void)none.columnIndex("Mac"); },
       "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer"},
      {"columnType", [&] { (void)none.columnType(0); },
       "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer"},
  };
  for (const auto& c : cases) {
    const CppSQLite3Exception error = Raised(c.action);
    EXPECT_EQ(error.code(), 1000) << c.what;
    EXPECT_STREQ(error.message(), c.message) << c.what;
  }
  EXPECT_EQ(rows.columnType(1), SQLITE_NULL);
  none.finish();
}

TEST_F(SqliteWrapper, SqliteFailuresCarryTheirCode) {
  WriteFileBytes(dir_ / "text.db", "Name,IP,MAC\nPC01,10.0.0.1,aa\n");
  const struct {
    const char* what;
    fs::path file;
    const char* sql;
    int code;
    const char* message;
  } cases[] = {
      {"missing table", path_, "select a from missing", 1, "SQLITE_ERROR[1]: "},
      {"missing column", path_, "select ip from machines", 1, "SQLITE_ERROR[1]: "},
      {"not a database", dir_ / "text.db", "select a from t", 26, "UNKNOWN_ERROR[26]: "},
      {"first step fails", path_, "select abs(-9223372036854775808)", 1,
       "SQLITE_ERROR[1]: integer overflow"},
  };
  for (const auto& c : cases) {
    CppSQLite3DB db;
    db.openReadOnly(platform::PathText(c.file).c_str(), 1000);
    const CppSQLite3Exception error = Raised([&] { (void)db.query(c.sql); });
    EXPECT_EQ(error.code(), c.code) << c.what;
    EXPECT_STREQ(error.message(), c.message) << c.what;
  }
}

TEST_F(SqliteWrapper, AMissingFileOrFolderCannotBeOpenedAndIsNotCreated) {
  const struct {
    const char* what;
    fs::path path;
    fs::path created;  // what opening must not leave behind
  } cases[] = {
      {"missing file", dir_ / "missing.db", dir_ / "missing.db"},
      {"missing folder", dir_ / "no-folder" / "list.db", dir_ / "no-folder"},
  };
  for (const auto& c : cases) {
    CppSQLite3DB db;
    const CppSQLite3Exception error = Raised([&] { db.openReadOnly(platform::PathText(c.path).c_str(), 1000); });
    EXPECT_EQ(error.code(), SQLITE_CANTOPEN) << c.what;
    EXPECT_STREQ(error.message(), "SQLITE_CANTOPEN[14]: unable to open database file") << c.what;
    db.close();
    EXPECT_FALSE(fs::exists(c.created)) << c.what;
  }
}

TEST_F(SqliteWrapper, AssignmentHandsTheStatementOver) {
  CppSQLite3DB db;
  db.openReadOnly(platform::PathText(path_).c_str(), 1000);
  CppSQLite3Query target = db.query("select Mac from machines");
  // The second row overflows: the failure must still name SQLite's words.
  target = db.query("select 1 as v union all select abs(-9223372036854775808)");
  ASSERT_FALSE(target.atEnd());
  EXPECT_STREQ(target.textByName("v"), "1");
  const CppSQLite3Exception error = Raised([&] { target.advance(); });
  EXPECT_EQ(error.code(), 1);
  EXPECT_STREQ(error.message(), "SQLITE_ERROR[1]: integer overflow");
  EXPECT_EQ(Raised([&] { (void)target.atEnd(); }).code(), 1000);

  CppSQLite3Query source = db.query("select Mac from machines");
  CppSQLite3Query taken;
  taken = std::move(source);
  EXPECT_EQ(Raised([&] { (void)source.atEnd(); }).code(), 1000);
  EXPECT_STREQ(taken.textByName("mac"), "aa");
}

// Stopped before the first row or between rows, the statement fails with
// SQLite's interrupt and the connection tells why.
TEST_F(SqliteWrapper, AStatementRunningPastTheTimeLimitIsInterrupted) {
  const char* endless = "with recursive r(n) as (select 1 union all select n + 1 from r) ";
  const struct {
    const char* what;
    std::string sql;
  } cases[] = {
      {"no row comes", std::string(endless) + "select n from r where n < 0"},
      {"rows keep coming", std::string(endless) + "select n from r"},
  };
  for (const auto& c : cases) {
    CppSQLite3DB db;
    db.openReadOnly(platform::PathText(path_).c_str(), 1000, std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    const CppSQLite3Exception error = Raised([&] {
      for (CppSQLite3Query rows = db.query(c.sql.c_str()); !rows.atEnd(); rows.advance()) {
      }
    });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << c.what;
    EXPECT_EQ(error.code(), SQLITE_INTERRUPT) << c.what;
    EXPECT_STREQ(error.message(), "SQLITE_INTERRUPT[9]: interrupted") << c.what;
    EXPECT_TRUE(db.timeLimitReached()) << c.what;
  }
}

TEST_F(SqliteWrapper, WithoutATimeLimitOrWithinItNothingIsStopped) {
  const std::string counter =
      "with recursive r(n) as (select 1 union all select n + 1 from r where n < 100000) "
      "select count(*) as c from r";
  for (const std::optional<std::chrono::milliseconds> limit :
       {std::optional<std::chrono::milliseconds>{},
        std::optional{std::chrono::milliseconds(60000)}}) {
    CppSQLite3DB db;
    db.openReadOnly(platform::PathText(path_).c_str(), 1000, limit);
    CppSQLite3Query rows = db.query(counter.c_str());
    EXPECT_STREQ(rows.textByName("c"), "100000");
    EXPECT_FALSE(db.timeLimitReached());
  }
}

TEST_F(SqliteWrapper, WaitsForAnotherConnectionsLock) {
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(platform::PathText(path_).c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
  std::thread release([writer] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sqlite3_exec(writer, "commit", nullptr, nullptr, nullptr);
  });
  const auto start = std::chrono::steady_clock::now();
  CppSQLite3DB db;
  db.openReadOnly(platform::PathText(path_).c_str(), 1000);
  CppSQLite3Query rows = db.query("select Mac from machines");
  EXPECT_FALSE(rows.atEnd());
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
  release.join();
  sqlite3_close(writer);
}

}  // namespace
