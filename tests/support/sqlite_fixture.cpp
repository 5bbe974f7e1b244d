// Test databases made with SQLite itself.
#include "support/sqlite_fixture.h"

#include <sqlite3.h>
#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <stdexcept>

#include "platform/path_text.h"

namespace {

// Gives an empty text on success, SQLite's error text otherwise.
std::string Execute(const std::filesystem::path& path, const std::string& sql, bool finish) {
  sqlite3* db = nullptr;
  std::string error;
  if (sqlite3_open(platform::PathText(path).c_str(), &db) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
  } else {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      error = message ? message : "unknown error";
    }
    sqlite3_free(message);
  }
  if (finish) sqlite3_close(db);
  return error;
}

}  // namespace

void MakeSqliteDatabase(const std::filesystem::path& path, const std::string& sql) {
  std::filesystem::remove(path);
  const std::string error = Execute(path, sql, true);
  if (!error.empty()) throw std::runtime_error(platform::PathText(path) + ": " + error);
}

#if !defined(_WIN32)
void CrashMidTransaction(const std::filesystem::path& path, const std::string& sql) {
  const pid_t child = ::fork();
  if (child == 0) _exit(Execute(path, sql, false).empty() ? 0 : 1);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("the crashing writer failed");
  }
}
#endif
