// A database in WAL mode, in a folder the user may only read: it converts,
// and nothing is written beside it. Runs as another user and changes folder
// modes and the temporary folder, so it needs POSIX.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "readers/database/sqlite_wal_database.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace sqlite_wal_tests {
namespace {


// Every file of a folder: its bytes and when it was last changed.
struct FileState {
  std::string bytes;
  timespec modified{};
  bool operator==(const FileState& other) const {
    return bytes == other.bytes && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};
using FolderState = std::map<std::string, FileState>;

FolderState StateOf(const fs::path& folder) {
  FolderState state;
  for (const auto& file : fs::directory_iterator(folder)) {
    struct stat info {};
    ::lstat(file.path().c_str(), &info);
    state[file.path().filename()] = {
        S_ISLNK(info.st_mode) ? fs::read_symlink(file.path()).string() : ReadFileBytes(file.path()),
        info.st_mtim};
  }
  return state;
}

// Points the runs' temporary folder elsewhere for the life of the object.
class TemporaryFolderSetting {
 public:
  explicit TemporaryFolderSetting(const fs::path& folder) {
    if (const char* old = std::getenv("TMPDIR")) old_ = old;
    ::setenv("TMPDIR", folder.c_str(), 1);
  }
  ~TemporaryFolderSetting() {
    if (old_) {
      ::setenv("TMPDIR", old_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

 private:
  std::optional<std::string> old_;
};

constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec;

// A source folder, a temporary folder and an output folder that the user
// 65534 may enter; the last two it may also write into.
class WalFolders : public testing::Test {
 protected:
  void SetUp() override {
    fs::permissions(dir.path(), kReadOnly | fs::perms::owner_write);
    for (const fs::path& folder : {sources, temporary, outputs}) fs::create_directory(folder);
    fs::permissions(temporary, fs::perms::all);
    fs::permissions(outputs, fs::perms::all);
  }

  CliResult ConvertAsNobody(const fs::path& source) {
    TemporaryFolderSetting setting(temporary);
    CliOptions nobody;
    nobody.asNobody = true;
    return RunZembrixCli({"convert", "--type", "yiyou", "--output",
                          (outputs / "computer.ONC").string(), source.string()},
                         nobody);
  }

  ScratchDir dir;
  fs::path sources = dir / "sources";
  fs::path temporary = dir / "tmp";
  fs::path outputs = dir / "outputs";
};

struct WalCase {
  const char* what;
  std::function<void(const fs::path& folder)> make;  // makes list.db in folder
  const char* source = "list.db";
};

void PrintTo(const WalCase& c, std::ostream* out) { *out << c.what; }

class SqliteWalFolderTest : public WalFolders, public testing::WithParamInterface<WalCase> {
 protected:
  void SetUp() override {
    WalFolders::SetUp();
    GetParam().make(sources);
  }
};

TEST_P(SqliteWalFolderTest, ConvertsWithoutWritingBesideTheSource) {
  fs::permissions(sources, kReadOnly);
  const FolderState before = StateOf(sources);
  const CliResult result = ConvertAsNobody(sources / GetParam().source);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "生成成功!\n已写入 2 台机器\n");
  EXPECT_EQ(ReadFileBytes(outputs / "computer.ONC"), kList);
  EXPECT_TRUE(StateOf(sources) == before) << "the source folder changed";
  EXPECT_TRUE(fs::is_empty(temporary)) << "the copy was left behind";
}

// Where SQLite may make its files the database is read in place: no copy is
// made, so a temporary folder that the user may not write into is no hindrance.
TEST_P(SqliteWalFolderTest, AWritableFolderIsReadInPlace) {
  fs::permissions(sources, fs::perms::all);
  fs::permissions(temporary, kReadOnly);
  const CliResult result = ConvertAsNobody(sources / GetParam().source);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(outputs / "computer.ONC"), kList);
}

INSTANTIATE_TEST_SUITE_P(
    Databases, SqliteWalFolderTest,
    testing::Values(WalCase{"rows_only_in_the_log", RowsOnlyInTheLog},
                    WalCase{"log_and_shared_memory_left_by_a_crash",
                            LogAndSharedMemoryLeftByACrash},
                    WalCase{"no_log", NoLog},
                    // SQLite looks for the log beside the file that the link leads to.
                    WalCase{"through_a_link",
                            [](const fs::path& folder) {
                              RowsOnlyInTheLog(folder);
                              fs::create_symlink("list.db", folder / "link.db");
                            },
                            "link.db"}),
    [](const testing::TestParamInfo<WalCase>& info) { return std::string(info.param.what); });

TEST_F(WalFolders, AFailedReadOfTheCopyLeavesNothingBehind) {
  MakeWalDatabase(sources / "list.db", "create table comp(name, mac, ip4);");
  fs::remove(sources / "list.db-shm");
  fs::permissions(sources, kReadOnly);
  const FolderState before = StateOf(sources);
  const CliResult result = ConvertAsNobody(sources / "list.db");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "读取数据库失败!\nSQLITE_ERROR[1]: \n");
  EXPECT_TRUE(StateOf(sources) == before) << "the source folder changed";
  EXPECT_TRUE(fs::is_empty(temporary)) << "the copy was left behind";
}

TEST_F(WalFolders, WithoutRoomForTheCopyTheReadFails) {
  RowsOnlyInTheLog(sources);
  fs::permissions(sources, kReadOnly);
  fs::permissions(temporary, kReadOnly);
  const FolderState before = StateOf(sources);
  const CliResult result = ConvertAsNobody(sources / "list.db");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.rfind("读取数据库失败!\ncannot copy the database to read it: ", 0), 0u)
      << result.err;
  EXPECT_TRUE(StateOf(sources) == before) << "the source folder changed";
}

}  // namespace
}  // namespace sqlite_wal_tests
