// A source database locked by another process: the conversion waits for it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <thread>

#include "conversion/source_types.h"
#include "platform/child_process.h"
#include "platform/path_text.h"
#include "platform/source_file.h"
#include "readers/database/sqlite_reader.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Another process takes an exclusive lock on the database and keeps it for
// holdMs milliseconds; the constructor returns once the lock is held.
class LockingProcess {
 public:
  LockingProcess(const fs::path& database, int holdMs) : marker_(fs::path(database) += "-locked") {
    input_ = platform::SourceFile::Open(database);
    if (!input_) throw std::runtime_error("cannot open the database");
    const platform::ChildRun run{platform::PathFromArgument(ZEMBRIX_SQLITE_LOCK_HOLDER),
                                 {platform::PathText(database), platform::PathText(marker_),
                                  std::to_string(holdMs)},
                                 &*input_,
                                 std::chrono::seconds(60),
                                 1 << 10};
    holder_ = std::thread([this, run] { result_ = platform::RunChildProcess(run); });
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!fs::exists(marker_) && Clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    locked_ = fs::exists(marker_);
  }
  ~LockingProcess() {
    holder_.join();
    fs::remove(marker_);
  }
  bool locked() const { return locked_; }

 private:
  fs::path marker_;
  std::optional<platform::SourceFile> input_;
  std::thread holder_;
  platform::ChildResult result_;
  bool locked_ = false;
};

fs::path CopyOfExample(const ScratchDir& dir) {
  const fs::path copy = dir / "diskless.db";
  fs::copy_file(ExampleSources("yiyou").front(), copy);
  return copy;
}

TEST(SqliteLock, TheConversionWaitsUntilTheOtherProcessLetsGo) {
  ScratchDir dir;
  const fs::path database = CopyOfExample(dir);
  LockingProcess other(database, 1000);
  ASSERT_TRUE(other.locked());
  const auto start = Clock::now();
  const CliResult result = RunZembrixCli(
      {"convert", "--type", "yiyou", "--output", platform::PathText(dir / "out.ONC"),
       platform::PathText(database)});
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(800));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(ExampleOutput("yiyou")));
}

// A lock held past the wait the type allows is a busy error, not a hang.
TEST(SqliteLock, ALockHeldPastTheWaitIsABusyError) {
  ScratchDir dir;
  const fs::path database = CopyOfExample(dir);
  LockingProcess other(database, 1500);
  ASSERT_TRUE(other.locked());
  const SourceTypeInfo& row = SourceTypeOf(DisklessType::Yiyou);
  SqliteLayout layout = std::get<SqliteLayout>(row.settings);
  layout.busyTimeout = std::chrono::milliseconds(200);
  const ConversionContext context = ConversionContext::Default();
  const ReaderRun run = RunOf(ReadSqliteSource({database, context, row.messages}, layout));
  EXPECT_FALSE(run.write);
  EXPECT_EQ(run.messages, std::vector{Message::ReadDatabaseFailed});
  ASSERT_EQ(run.details.size(), 1u);
  EXPECT_EQ(run.details[0].rfind("SQLITE_BUSY[5]", 0), 0u) << run.details[0];
}

// Waiting for the lock does not count against the time limit: a lock held
// longer than the limit, then let go, still gives the whole list. The list is
// long enough that the limit is checked again after the wait.
TEST(SqliteLock, TheWaitDoesNotCountAgainstTheTimeLimit) {
  ScratchDir dir;
  const fs::path database = dir / "diskless.db";
  MakeSqliteDatabase(
      database,
      "create table client(Name, macaddress, ipaddress);"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 4000)"
      "insert into client select 'pc' || i, printf('%012x', i), '10.0.0.1' from n;");
  LockingProcess other(database, 1500);
  ASSERT_TRUE(other.locked());
  const SourceTypeInfo& row = SourceTypeOf(DisklessType::Yiyou);
  SqliteLayout layout = std::get<SqliteLayout>(row.settings);
  layout.timeLimit = std::chrono::milliseconds(500);
  const ConversionContext context = ConversionContext::Default();
  const auto start = Clock::now();
  const ReaderRun run = RunOf(ReadSqliteSource({database, context, row.messages}, layout));
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1300));
  EXPECT_TRUE(run.write) << (run.details.empty() ? "" : run.details[0]);
  EXPECT_TRUE(run.messages.empty());
  std::u16string expected;
  for (int i = 1; i <= 4000; ++i) {
    char mac[16];
    std::snprintf(mac, sizeof mac, "%012X", i);
    const std::string name = "PC" + std::to_string(i);
    expected +=
        Entry(std::u16string(mac, mac + 12), u"10.0.0.1", std::u16string(name.begin(), name.end()));
  }
  EXPECT_TRUE(run.output == expected);
}

}  // namespace
