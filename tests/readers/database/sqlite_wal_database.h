// WAL databases for the tests: rows that only the log holds.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/path_text.h"
#include "support/sqlite_fixture.h"

namespace sqlite_wal_tests {

namespace fs = std::filesystem;

inline constexpr char kTable[] =
    "create table client(Name text, macaddress text, ipaddress text);"
    "insert into client values ('pc1', '00-e0-4c-00-00-01', '10.0.0.1'),"
    " ('pc2', '00-e0-4c-00-00-02', '10.0.0.2');";
inline constexpr char kList[] =
    "[00:E0:4C:00:00:01]\t\nIPAddr=10.0.0.1\t\nName=PC1\t\n"
    "[00:E0:4C:00:00:02]\t\nIPAddr=10.0.0.2\t\nName=PC2\t\n";

inline void Execute(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error(text);
  }
}

// A WAL database whose rows are only in its log: nothing is checkpointed, not
// even when the connection closes, which leaves the log and the shared memory.
inline void MakeWalDatabase(const fs::path& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(platform::PathText(path).c_str(), &db) != SQLITE_OK) {
    throw std::runtime_error("cannot open");
  }
  sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  Execute(db, "pragma journal_mode = wal; pragma wal_autocheckpoint = 0;" + sql);
  sqlite3_close(db);
  if (fs::file_size(fs::path(path) += "-wal") == 0) throw std::runtime_error("the log is empty");
}

// Each makes list.db in the folder.
inline void RowsOnlyInTheLog(const fs::path& folder) {
  MakeWalDatabase(folder / "list.db", kTable);
  fs::remove(folder / "list.db-shm");
}

inline void LogAndSharedMemoryLeftByACrash(const fs::path& folder) {
  MakeWalDatabase(folder / "list.db", kTable);
}

inline void NoLog(const fs::path& folder) {
  MakeSqliteDatabase(folder / "list.db", std::string("pragma journal_mode = wal;") + kTable);
  if (fs::exists(folder / "list.db-wal")) throw std::runtime_error("a log was left");
}

}  // namespace sqlite_wal_tests
