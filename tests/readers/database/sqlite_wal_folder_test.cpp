// A database in WAL mode, in a folder the user may write: it converts with
// the rows that only its log holds.
#include <gtest/gtest.h>

#include <filesystem>

#include "readers/database/sqlite_wal_database.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace sqlite_wal_tests {
namespace {

TEST(SqliteWal, ConvertsWithWhatTheLogHolds) {
  const struct {
    const char* what;
    void (*make)(const fs::path& folder);
  } cases[] = {
      {"rows only in the log", RowsOnlyInTheLog},
      {"log and shared memory left by a crash", LogAndSharedMemoryLeftByACrash},
      {"no log", NoLog},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    c.make(dir.path());
    const CliResult result = RunZembrixCli({"convert", "--type", "yiyou", "list.db"}, dir.path());
    EXPECT_EQ(result.status, 0) << c.what << ": " << result.err;
    EXPECT_EQ(result.err, "生成成功!\n已写入 2 台机器\n") << c.what;
    EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), kList) << c.what;
  }
}

}  // namespace
}  // namespace sqlite_wal_tests
