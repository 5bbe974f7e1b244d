// The query process on files Access wrote, and the supervision of a process
// that crashes, hangs or talks nonsense.
#include "readers/database/access_query_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <variant>

#include "conversion/source_types.h"
#include "platform/source_file.h"
#include "readers/database/access_query_location.h"
#include "readers/database/access_test_files.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

// The limit the Access type reads with.
const milliseconds kAccessReadTimeLimit =
    std::get<AccessLayout>(SourceTypeOf(DisklessType::Wangwei7).settings).timeLimit;

AccessQueryResult Query(const fs::path& database, const std::string& sql,
                        const std::vector<std::string>& fields, const std::string& charset = {},
                        const fs::path& helper = FindAccessQueryExecutable().value_or(fs::path()),
                        milliseconds limit = kAccessReadTimeLimit) {
  const std::optional<platform::SourceFile> file = platform::SourceFile::Open(database);
  if (!file) throw std::runtime_error("cannot open " + database.string());
  return RunAccessQuery({helper, &*file, sql, fields, charset, limit});
}

TEST(AccessQueryExecutable, IsFoundBesideTheProgram) {
  ASSERT_TRUE(FindAccessQueryExecutable());
  EXPECT_EQ(fs::path(*FindAccessQueryExecutable()).parent_path(),
            fs::read_symlink("/proc/self/exe").parent_path());
}

TEST(AccessQuery, ReadsJet3FieldsByNameWithNullsAndAccents) {
  ScratchDir dir;
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "nwind.mdb", file);
  const AccessQueryResult result =
      Query(file, "select CustomerID, CompanyName, Region, Phone, Address from Customers",
            {"Address", "customerid", "CompanyName", "REGION", "Phone"}, "CP1252");
  ASSERT_TRUE(result.rows) << result.error;
  ASSERT_EQ(result.rows->size(), 91u);
  EXPECT_EQ((*result.rows)[0],
            (AccessRow{"Obere Str. 57", "ALFKI", "Alfreds Futterkiste", "", "030-0074321"}));
  EXPECT_EQ((*result.rows)[1][0], "Avda. de la Constitución 2222");
  EXPECT_EQ((*result.rows)[1][1], "ANATR");

  // Jet 3 text is in the writer's code page: the same bytes read as GBK.
  const AccessQueryResult gbk = Query(file, "select Address from Customers", {"Address"}, "CP936");
  ASSERT_TRUE(gbk.rows) << gbk.error;
  EXPECT_EQ((*gbk.rows)[1][0], "Avda. de la Constituci髇 2222");
}

TEST(AccessQuery, ReadsJet4AndAccess2007Files) {
  ScratchDir dir;
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "DateTestDatabase.mdb", jet4);
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "ASampleDatabase.accdb", ace);

  const AccessQueryResult dates =
      Query(jet4, "select IDCol, ShortTextCol from DateTest", {"IDCol", "ShortTextCol"});
  ASSERT_TRUE(dates.rows) << dates.error;
  ASSERT_EQ(dates.rows->size(), 6u);
  EXPECT_EQ(dates.rows->front(), (AccessRow{"1", "Hello"}));
  EXPECT_EQ(dates.rows->back(), (AccessRow{"6", "No new line"}));

  const AccessQueryResult assets =
      Query(ace, "select [Asset No], Make from [Asset Items]", {"Asset No", "Make"});
  ASSERT_TRUE(assets.rows) << assets.error;
  ASSERT_EQ(assets.rows->size(), 65u);
  EXPECT_EQ(assets.rows->front(), (AccessRow{"30050", "GEO Rocket"}));
}

TEST(AccessQuery, MissingTablesAndFieldsAreErrors) {
  ScratchDir dir;
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "nwind.mdb", file);
  const struct {
    std::string sql;
    std::vector<std::string> fields;
    std::string error;
  } cases[] = {
      {"select name,ip,mac from computer", {"name", "ip", "mac"}, "query failed"},
      {"select CustomerID, Nothing from Customers", {"CustomerID"}, "query failed"},
      {"select CustomerID from Customers", {"CustomerID", "Phone"}, "no field Phone"},
  };
  for (const auto& c : cases) {
    const AccessQueryResult result = Query(file, c.sql, c.fields, "CP1252");
    EXPECT_FALSE(result.rows) << c.sql;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << c.sql << ": " << result.error;
  }
}

// Stand-ins for a query process that misbehaves the way a damaged file can
// make mdbtools misbehave. Each is a shell script; `exec` keeps the process
// we are given the one that hangs.
TEST(AccessQuery, AMisbehavingProcessFailsWithinTheLimitAndIsGone) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.mdb", "");
  const milliseconds shortLimit{400};
  const milliseconds fullLimit = kAccessReadTimeLimit;
  const struct {
    const char* what;
    std::string script;
    milliseconds limit;
    std::string error;
  } cases[] = {
      {"hangs", "exec sleep 30", shortLimit, "took longer than 400 ms"},
      {"closes its output and hangs", "exec >&-; exec sleep 30", shortLimit,
       "did not end within 400 ms"},
      {"crashes after half a row", "printf 'R\\001\\000\\000\\000a'; kill -SEGV $$", fullLimit,
       "signal 11"},
      {"aborts", "kill -ABRT $$", fullLimit, "signal 6"},
      {"ends with an error status", "printf 'E'; exit 3", fullLimit, "exited with status 3"},
      {"writes nonsense", "printf 'hello'", fullLimit, "exited with status 0"},
      {"reports its own error", "printf 'X\\007\\000\\000\\000no such'; exit 1", fullLimit,
       "no such"},
      {"floods its output", "exec yes", fullLimit, "too much data"},
  };
  for (const auto& c : cases) {
    const fs::path helper = dir / "helper.sh";
    WriteFileBytes(helper, "#!/bin/sh\n" + c.script + "\n");
    fs::permissions(helper, fs::perms::owner_all);
    const auto start = std::chrono::steady_clock::now();
    const AccessQueryResult result =
        Query(dir / "empty.mdb", "select", {"f"}, {}, helper, c.limit);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(result.rows) << c.what;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << c.what << ": " << result.error;
    EXPECT_LT(took, c.limit + milliseconds(1000)) << c.what;
    fs::remove(helper);
  }
}

TEST(AccessQuery, AMissingExecutableIsAnError) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.mdb", "");
  const AccessQueryResult result =
      Query(dir / "empty.mdb", "select", {"f"}, {}, dir / "nothing-here");
  EXPECT_FALSE(result.rows);
  EXPECT_NE(result.error.find("cannot start"), std::string::npos) << result.error;
}

}  // namespace
