// SQLite reader tests that need POSIX: a FIFO as the source, a journal left
// by a writer that died mid-change, and file names Windows does not allow.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "readers/database/sqlite_failure_case.h"
#include "support/test_files.h"

namespace sqlite_reader_tests {
namespace {

using T = DisklessType;

// Another program stopped in the middle of a change: only it may roll back.
fs::path HotJournal(const ScratchDir& dir) {
  const fs::path path = Database(dir, kManyVhdRows);
  CrashMidTransaction(path, "pragma cache_size = 1; begin; update comp set name = 'x' || name;");
  if (!fs::exists(dir / "source.db-journal")) ADD_FAILURE() << "no journal was left";
  return path;
}

INSTANTIATE_TEST_SUITE_P(
    PosixFailures, SqliteFailureTest,
    testing::Values(
        FailureCase{"fifo_does_not_block", T::Yileyou,
                    [](const ScratchDir& dir) {
                      ::mkfifo((dir / "ews.dat").c_str(), 0600);
                      return dir / "ews.dat";
                    },
                    Message::OpenSourceFailed, ""},
        FailureCase{"hot_journal_left_alone", T::Vhd, HotJournal, Message::ReadDatabaseFailed,
                    "SQLITE_READONLY[8]: "}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.what); });

// SQLite would take a name beginning with "file:" as a URI and open an empty
// in-memory database instead of the file. Windows allows neither ":" nor "?"
// in a file name.
TEST(SqliteSource, ARelativePathThatLooksLikeAUriIsAFile) {
  ScratchDir dir;
  MakeSqliteDatabase(dir / "file:list.db?mode=memory",
                     "create table comp(name text, mac text, ip4 text);"
                     "insert into comp values ('pc1', 'aa', '1');");
  const CliResult result =
      RunZembrixCli({"convert", "--type", "vhd", "file:list.db?mode=memory"}, dir.path());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), "[AA]\t\nIPAddr=1\t\nName=PC1\t\n");
}

}  // namespace
}  // namespace sqlite_reader_tests
