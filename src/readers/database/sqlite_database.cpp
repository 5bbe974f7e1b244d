// Opening, querying and closing an SQLite database.
#include "readers/database/sqlite_database.h"

#include <algorithm>
#include <array>
#include <thread>

#include "readers/database/sqlite_exception.h"

namespace {

constexpr char kNotOpen[] = "Database not open";

// The clock is read once per this many virtual machine steps: often enough to
// stop within milliseconds, rarely enough to cost nothing on a fast read.
constexpr int kStepsPerClockCheck = 10000;

// The pauses between tries for a lock, as SQLite's own busy timeout makes them.
constexpr std::array<std::chrono::milliseconds, 12> kLockPauses = {
    std::chrono::milliseconds(1),  std::chrono::milliseconds(2),  std::chrono::milliseconds(5),
    std::chrono::milliseconds(10), std::chrono::milliseconds(15), std::chrono::milliseconds(20),
    std::chrono::milliseconds(25), std::chrono::milliseconds(25), std::chrono::milliseconds(25),
    std::chrono::milliseconds(50), std::chrono::milliseconds(50), std::chrono::milliseconds(100),
};

}  // namespace

CppSQLite3DB::~CppSQLite3DB() { close(); }

void CppSQLite3DB::openReadOnly(const char* path, int busyTimeoutMs,
                                std::optional<std::chrono::milliseconds> timeLimit) {
  close();
  // One connection on one thread: SQLite's own mutexes would only cost time.
  const int result =
      sqlite3_open_v2(path, &handle_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (result != SQLITE_OK) {
    // The failed connection stays in handle_ until close or destruction.
    const char* detail = sqlite3_errmsg(handle_);
    throw CppSQLite3Exception(result, detail ? detail : "");
  }
  busyTimeout_ = std::chrono::milliseconds(busyTimeoutMs);
  lockWaits_ = Clock::duration::zero();
  timeLimitReached_ = false;
  timeLimit_.reset();
  if (timeLimit) {
    constexpr auto kLongest =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::duration::max());
    timeLimit_ = std::clamp(*timeLimit, std::chrono::milliseconds::zero(), kLongest);
  }
  opened_ = Clock::now();
  // SQLite's own busy timeout would sleep where the time limit cannot see it.
  sqlite3_busy_handler(handle_, &CppSQLite3DB::waitForLock, this);
  if (timeLimit_) {
    sqlite3_progress_handler(handle_, kStepsPerClockCheck, &CppSQLite3DB::stopPastTimeLimit, this);
  }
}

void CppSQLite3DB::close() {
  if (!handle_) return;
  sqlite3_close(handle_);
  handle_ = nullptr;
}

int CppSQLite3DB::waitForLock(void* self, int attempt) {
  auto& db = *static_cast<CppSQLite3DB*>(self);
  const Clock::time_point now = Clock::now();
  if (attempt == 0) db.lockWaitStarted_ = now;
  const Clock::duration waited = now - db.lockWaitStarted_;
  if (waited >= db.busyTimeout_) return 0;
  const auto pause =
      kLockPauses[std::min<std::size_t>(static_cast<std::size_t>(attempt), kLockPauses.size() - 1)];
  std::this_thread::sleep_for(std::min<Clock::duration>(pause, db.busyTimeout_ - waited));
  db.lockWaits_ += Clock::now() - now;
  return 1;
}

int CppSQLite3DB::stopPastTimeLimit(void* self) {
  auto& db = *static_cast<CppSQLite3DB*>(self);
  if (Clock::now() - db.opened_ - db.lockWaits_ <= *db.timeLimit_) return 0;
  db.timeLimitReached_ = true;
  return 1;
}

sqlite3_stmt* CppSQLite3DB::prepare(const char* sql) {
  if (!handle_) throw CppSQLite3Exception(CppSQLite3Exception::kWrapperError, kNotOpen);
  sqlite3_stmt* statement = nullptr;
  // Only the first statement of the text is prepared; the rest is ignored.
  const int result = sqlite3_prepare(handle_, sql, -1, &statement, nullptr);
  if (result != SQLITE_OK) throw CppSQLite3Exception(result, "");
  return statement;
}

CppSQLite3Query CppSQLite3DB::query(const char* sql) {
  if (!handle_) throw CppSQLite3Exception(CppSQLite3Exception::kWrapperError, kNotOpen);
  sqlite3_stmt* statement = prepare(sql);
  const int result = sqlite3_step(statement);
  if (result == SQLITE_DONE || result == SQLITE_ROW) {
    return CppSQLite3Query(handle_, statement, result == SQLITE_DONE);
  }
  // With the legacy prepare the step says only "error"; finalize tells which.
  const int code = sqlite3_finalize(statement);
  throw CppSQLite3Exception(code, sqlite3_errmsg(handle_));
}
