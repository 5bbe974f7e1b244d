// A source whose table is a view over a query without end: the read stops.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "conversion/source_types.h"
#include "readers/database/sqlite_reader.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct EndlessCase {
  const char* what;
  std::string view;  // the select behind the view "client"
};

void PrintTo(const EndlessCase& c, std::ostream* out) { *out << c.what; }

constexpr char kCounter[] = "with recursive r(n) as (select 1 union all select n + 1 from r) ";
constexpr char kLargeCounter[] =
    "with recursive r(n) as (select 1 union all select n + 1 from r where n < 100000000) ";
constexpr char kColumns[] = "select 'pc' as Name, 'aa' as macaddress, '1' as ipaddress ";

class SqliteTimeLimitTest : public testing::TestWithParam<EndlessCase> {};

TEST_P(SqliteTimeLimitTest, AnEndlessViewIsStoppedAtTheTimeLimit) {
  ScratchDir dir;
  const fs::path source = dir / "diskless.db";
  MakeSqliteDatabase(source, "create view client as " + GetParam().view + ";");
  const SourceTypeInfo& row = SourceTypeOf(DisklessType::Yiyou);
  SqliteLayout layout = std::get<SqliteLayout>(row.settings);
  layout.timeLimit = std::chrono::milliseconds(300);
  const ConversionContext context = ConversionContext::Default();

  const auto start = Clock::now();
  const ReaderRun run = RunOf(ReadSqliteSource({source, context, row.messages}, layout));
  const auto took = Clock::now() - start;

  EXPECT_FALSE(run.write);
  EXPECT_EQ(run.messages, std::vector{Message::ReadDatabaseFailed});
  EXPECT_EQ(run.details,
            std::vector<std::string>{"the read took longer than 300 ms and was stopped"});
  EXPECT_GE(took, std::chrono::milliseconds(300));
  EXPECT_LT(took, std::chrono::seconds(10));
}

INSTANTIATE_TEST_SUITE_P(
    Views, SqliteTimeLimitTest,
    testing::Values(
        EndlessCase{"counter_without_rows",
                    std::string(kCounter) + kColumns + "from r where n < 0"},
        EndlessCase{"counter_with_endless_rows", std::string(kCounter) + kColumns + "from r"},
        EndlessCase{"counter_sorted", std::string(kCounter) + kColumns + "from r order by n desc"},
        EndlessCase{"cross_join_of_large_counters",
                    std::string(kLargeCounter) + kColumns +
                        "from r as a, r as b, r as c where a.n + b.n + c.n < 0"}),
    [](const testing::TestParamInfo<EndlessCase>& info) { return std::string(info.param.what); });

// The default leaves every real list plenty of time.
TEST(SqliteTimeLimit, EachTypeAllowsThirtySeconds) {
  for (const SourceTypeInfo& type : SourceTypes()) {
    if (!std::holds_alternative<SqliteLayout>(type.settings)) continue;
    EXPECT_EQ(std::get<SqliteLayout>(type.settings).timeLimit, std::chrono::seconds(30))
        << type.slug;
  }
}

}  // namespace
