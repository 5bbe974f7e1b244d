// The SQLite reader.
#include "readers/database/sqlite_reader.h"

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include "core/utf8.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/source_file.h"
#include "readers/database/sqlite_database.h"
#include "readers/database/sqlite_exception.h"

namespace {

namespace fs = std::filesystem;

// SQLite takes a name beginning with "file:" as a URI; "./" keeps it a file
// name. On Windows SQLite wants the name in UTF-8.
std::string SqliteFileName(const fs::path& source) {
  std::string path = platform::PathText(source);
  if (!source.has_root_path()) path.insert(0, "./");
  return path;
}

// Bytes 18 and 19 of the header, the versions needed to write and to read,
// are 2 for a database in WAL mode.
bool IsWalDatabase(platform::SourceFile& file) {
  std::array<char, 20> header{};
  std::size_t filled = 0;
  while (filled < header.size()) {
    const std::optional<std::size_t> read =
        file.Read(header.data() + filled, header.size() - filled);
    if (!read || *read == 0) return false;
    filled += *read;
  }
  return header[18] == 2 && header[19] == 2;
}

// A new folder that only this user may enter, removed with all it holds when
// the object goes.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    const fs::path base = fs::temp_directory_path();
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate = base / ("zembrix-sqlite-" + RandomHex(entropy));
      std::error_code error;
      if (!fs::create_directory(candidate, error)) {
        // Taken, by a folder, a file or a link: another name.
        if (error && error != std::errc::file_exists) {
          throw fs::filesystem_error("cannot make a temporary folder", candidate, error);
        }
        continue;
      }
      fs::permissions(candidate, fs::perms::owner_all, error);
      if (error) {
        std::error_code ignored;
        fs::remove(candidate, ignored);
        throw fs::filesystem_error("cannot make a temporary folder private", candidate, error);
      }
      // Under a loose umask another user could have put something in before
      // the permissions were narrowed; such a folder is not private.
      if (fs::is_empty(candidate, error) && !error) {
        path_ = candidate;
        return;
      }
      fs::remove_all(candidate, error);
    }
    throw fs::filesystem_error("cannot make a temporary folder", base,
                               std::make_error_code(std::errc::file_exists));
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }

  [[nodiscard]] const fs::path& path() const { return path_; }

 private:
  static std::string RandomHex(std::random_device& entropy) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < 4; ++i) {
      for (std::uint32_t value = entropy(), n = 0; n < 8; ++n, value >>= 4) {
        text += kDigits[value & 0xF];
      }
    }
    return text;
  }

  fs::path path_;
};

// What tells that another program changed a file while it was copied.
struct FileStamp {
  bool exists = false;
  std::uintmax_t size = 0;
  fs::file_time_type modified{};
  bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const fs::path& path) {
  std::error_code error;
  FileStamp stamp;
  stamp.size = fs::file_size(path, error);
  if (error) return {};
  stamp.modified = fs::last_write_time(path, error);
  if (error) return {};
  stamp.exists = true;
  return stamp;
}

void CopyAsOwnFile(const fs::path& from, const fs::path& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
  fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write);
}

// Copies a WAL database and its log, if it has one, into folder and gives the
// copy's path. The log goes first: a checkpoint that the database's own
// program runs meanwhile moves into the database only what the copied log
// holds too. A copy during which either file changed is made again.
fs::path CopyWalDatabase(const fs::path& source, const fs::path& folder) {
  constexpr int kAttempts = 3;
  fs::path log = source;
  log += "-wal";
  const fs::path copy = folder / "database";
  const fs::path logCopy = folder / "database-wal";
  for (int attempt = 1;; ++attempt) {
    const std::pair before{StampOf(log), StampOf(source)};
    try {
      fs::remove(logCopy);
      if (before.first.exists) CopyAsOwnFile(log, logCopy);
      CopyAsOwnFile(source, copy);
    } catch (const fs::filesystem_error&) {
      if (attempt == kAttempts) throw;
      continue;
    }
    if (attempt == kAttempts || std::pair{StampOf(log), StampOf(source)} == before) return copy;
  }
}

std::string TimeLimitDetail(std::chrono::milliseconds limit) {
  const std::string amount = limit.count() % 1000 == 0
                                 ? std::to_string(limit.count() / 1000) + " s"
                                 : std::to_string(limit.count()) + " ms";
  return "the read took longer than " + amount + " and was stopped";
}

void ReadRows(const SqliteLayout& layout, CppSQLite3DB& db, ReadOutcome& outcome) {
  CppSQLite3Query rows = db.query(layout.query);
  // Reused from row to row.
  std::u16string name;
  std::u16string mac;
  std::u16string ip;
  // Looked up on the first row: a query without rows needs no columns.
  std::optional<std::array<int, 3>> columns;
  while (!rows.atEnd()) {
    if (!columns) {
      columns = {rows.columnIndex(layout.nameColumn), rows.columnIndex(layout.macColumn),
                 rows.columnIndex(layout.ipColumn)};
    }
    Utf8ToValue(rows.textAt((*columns)[0]), name);
    Utf8ToValue(rows.textAt((*columns)[1]), mac);
    Utf8ToValue(rows.textAt((*columns)[2]), ip);
    if (mac.empty() || (layout.skipZeroIp && ip == u"0.0.0.0")) {
      outcome.skipped.Add(SkipReason::LackingValue);
    } else {
      ApplyMachineRules(layout.rules, mac, name);
      outcome.machines.Add(mac, ip, name);
    }
    rows.advance();
  }
  // The statement goes before the connection, which refuses to close under one.
  rows.finish();
  db.close();
}

}  // namespace

ReadOutcome ReadSqliteSource(const SourceRequest& request, const SqliteLayout& layout) {
  // SQLite would wait on a FIFO's open and fail late on a folder. The check's
  // descriptor is closed again at once: closing a second descriptor of the
  // file later would drop the POSIX locks SQLite holds on it.
  bool walDatabase = false;
  {
    std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
    if (!file) return ReadOutcome::Failed(request.messages.openFailed);
    walDatabase = IsWalDatabase(*file);
  }
  // SQLite reads a WAL database only where it may create the shared-memory
  // file beside it. Where it may not, a private copy is read instead; SQLite
  // finds the log beside the file that links lead to.
  std::optional<TemporaryFolder> copyFolder;
  fs::path database = request.source;
  if (walDatabase) {
    std::error_code error;
    const fs::path resolved = fs::canonical(request.source, error);
    if (!error && !platform::CanWriteInto(resolved.parent_path())) {
      try {
        copyFolder.emplace();
        database = CopyWalDatabase(resolved, copyFolder->path());
      } catch (const std::exception& copyError) {
        return ReadOutcome::Failed(
            request.messages.readFailed,
            std::string("cannot copy the database to read it: ") + copyError.what());
      }
    }
  }
  // Declared after the copy's folder so that it is closed before the folder goes.
  CppSQLite3DB db;
  try {
    db.openReadOnly(SqliteFileName(database).c_str(), static_cast<int>(layout.busyTimeout.count()),
                    layout.timeLimit);
  } catch (const CppSQLite3Exception& error) {
    return ReadOutcome::Failed(request.messages.openFailed, error.message());
  }
  ReadOutcome outcome;
  try {
    ReadRows(layout, db, outcome);
  } catch (const CppSQLite3Exception& error) {
    if (db.timeLimitReached()) {
      return ReadOutcome::Failed(request.messages.readFailed, TimeLimitDetail(layout.timeLimit));
    }
    return ReadOutcome::Failed(request.messages.readFailed, error.message());
  }
  return outcome;
}
