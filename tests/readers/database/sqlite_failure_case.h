// What the SQLite reader tests share: a snapshot of what a conversion must
// leave alone, and the fixture of the failure cases, whose cases live in one
// file per system they need.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <string>

#include "core/diskless_type.h"
#include "core/messages.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace sqlite_reader_tests {

namespace fs = std::filesystem;

// What a conversion must leave alone: the source's bytes and time, and the folder.
struct SourceSnapshot {
  explicit SourceSnapshot(const fs::path& source) : folder(source.parent_path()) {
    for (const auto& file : fs::directory_iterator(folder)) names.insert(file.path().filename());
    std::error_code error;
    if (fs::is_regular_file(source, error)) {
      bytes = ReadFileBytes(source);
      modified = fs::last_write_time(source);
    }
  }
  bool operator==(const SourceSnapshot&) const = default;
  fs::path folder;
  std::set<fs::path> names;
  std::string bytes;
  fs::file_time_type modified{};
};

struct FailureCase {
  const char* what;
  DisklessType type;
  std::function<fs::path(const ScratchDir&)> makeSource;
  Message message;
  std::string detail;
};

inline void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.what; }

inline fs::path Database(const ScratchDir& dir, const std::string& sql) {
  MakeSqliteDatabase(dir / "source.db", sql);
  return dir / "source.db";
}

inline fs::path FileWith(const ScratchDir& dir, const std::string& bytes) {
  WriteFileBytes(dir / "source.db", bytes);
  return dir / "source.db";
}

inline const std::string kManyVhdRows =
    "create table comp(name, mac, ip4);"
    "with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000)"
    "insert into comp select 'pc' || i, printf('00e04c%06x', i), '10.0.0.1' from n;";

class SqliteFailureTest : public testing::TestWithParam<FailureCase> {};

}  // namespace sqlite_reader_tests
