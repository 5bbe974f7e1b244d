// The SQLite reader.
#include "readers/database/sqlite_reader.h"

#include "core/utf8.h"
#include "core/value_buffer.h"
#include "platform/source_file.h"
#include "readers/database/sqlite_database.h"
#include "readers/database/sqlite_exception.h"

namespace {

// SQLite takes a name beginning with "file:" as a URI; "./" keeps it a file name.
std::string SqliteFileName(const std::filesystem::path& source) {
  std::string path = source.native();
  if (!path.starts_with('/')) path.insert(0, "./");
  return path;
}

void ReadRows(const SqliteLayout& layout, CppSQLite3DB& db, ReadOutcome& outcome) {
  CppSQLite3Query rows = db.query(layout.query);
  ValueBuffer name;
  ValueBuffer mac;
  ValueBuffer ip;
  while (!rows.atEnd()) {
    Utf8ToWide(rows.textByName(layout.nameColumn), name);
    Utf8ToWide(rows.textByName(layout.macColumn), mac);
    Utf8ToWide(rows.textByName(layout.ipColumn), ip);
    std::u16string macText(ValueBufferText(mac));
    const std::u16string_view ipText = ValueBufferText(ip);
    if (macText.empty() || (layout.skipZeroIp && ipText == u"0.0.0.0")) {
      outcome.skipped.Add(SkipReason::LackingValue);
    } else {
      std::u16string nameText(ValueBufferText(name));
      ApplyMachineRules(layout.rules, macText, nameText);
      outcome.machines.Add(macText, ipText, nameText);
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
  if (!platform::SourceFile::Open(request.source)) {
    return ReadOutcome::Failed(request.messages.openFailed);
  }
  CppSQLite3DB db;
  try {
    db.openReadOnly(SqliteFileName(request.source).c_str(),
                    static_cast<int>(layout.busyTimeout.count()));
  } catch (const CppSQLite3Exception& error) {
    return ReadOutcome::Failed(request.messages.openFailed, error.message());
  }
  ReadOutcome outcome;
  try {
    ReadRows(layout, db, outcome);
  } catch (const CppSQLite3Exception& error) {
    return ReadOutcome::Failed(request.messages.readFailed, error.message());
  }
  return outcome;
}
