// The SQLite reader and the layout of each type's database.
#include "readers/database/sqlite_reader.h"

#include <algorithm>
#include <array>

#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "core/utf8.h"
#include "core/value_buffer.h"
#include "readers/database/sqlite_database.h"
#include "readers/database/sqlite_exception.h"

namespace {

struct SqliteSourceLayout {
  DisklessType type;
  const char* query;
  const char* nameColumn;  // result columns, matched without ASCII case
  const char* macColumn;
  const char* ipColumn;
  bool skipZeroIp;         // a row whose IP is exactly "0.0.0.0" is no machine
};

constexpr std::array kLayouts = {
    SqliteSourceLayout{DisklessType::Yiyou, "select Name,macaddress,ipaddress from client", "Name",
                       "macaddress", "ipaddress", false},
    SqliteSourceLayout{DisklessType::Yileyou, "select computer,mac,ip from workstation",
                       "computer", "mac", "ip", false},
    SqliteSourceLayout{DisklessType::Vhd, "select name,mac,ip4 from comp", "name", "mac", "ip4",
                       true},
    SqliteSourceLayout{DisklessType::Wangwei8, "select ComputerName,Mac,Ip from tbl_Computer",
                       "ComputerName", "Mac", "Ip", false},
};

const SqliteSourceLayout* FindLayout(DisklessType type) {
  const auto row = std::find_if(kLayouts.begin(), kLayouts.end(),
                                [type](const SqliteSourceLayout& r) { return r.type == type; });
  return row == kLayouts.end() ? nullptr : &*row;
}

// SQLite takes a name beginning with "file:" as a URI; "./" keeps it a file name.
std::string SqliteFileName(const std::u16string& sourcePath) {
  std::string path = NativePath(sourcePath);
  if (!path.starts_with('/')) path.insert(0, "./");
  return path;
}

void ReadRows(const SqliteSourceLayout& layout, CppSQLite3DB& db, std::u16string& output) {
  CppSQLite3Query rows = db.query(layout.query);
  ValueBuffer name;
  ValueBuffer mac;
  ValueBuffer ip;
  while (!rows.atEnd()) {
    Utf8ToWide(rows.textByName(layout.nameColumn), name);
    Utf8ToWide(rows.textByName(layout.macColumn), mac);
    Utf8ToWide(rows.textByName(layout.ipColumn), ip);
    std::u16string macText(ValueBufferText(mac));
    std::replace(macText.begin(), macText.end(), u'-', u':');
    const std::u16string_view ipText = ValueBufferText(ip);
    if (!(layout.skipZeroIp && ipText == u"0.0.0.0") && !macText.empty()) {
      std::u16string nameText(ValueBufferText(name));
      UpperCaseAToZ(macText);
      UpperCaseAToZ(nameText);
      AppendMachineEntry(output, macText, ipText, nameText);
    }
    rows.advance();
  }
  // The statement goes before the connection, which refuses to close under one.
  rows.finish();
  db.close();
}

}  // namespace

bool ReadSqliteSource(DisklessType type, const std::u16string& sourcePath, std::u16string& output,
                      ConversionHost& host) {
  const SqliteSourceLayout* layout = FindLayout(type);
  // SQLite would wait on a FIFO's open and fail late on a folder. The check's
  // descriptor is closed again at once: closing a second descriptor of the
  // file later would drop the POSIX locks SQLite holds on it.
  if (!layout || !OpenSourceFile(sourcePath)) {
    host.ShowMessage(Message::OpenSourceFailed);
    return false;
  }
  CppSQLite3DB db;
  try {
    db.openReadOnly(SqliteFileName(sourcePath).c_str());
  } catch (const CppSQLite3Exception& error) {
    host.ShowMessage(Message::OpenSourceFailed, error.message());
    return false;
  }
  try {
    ReadRows(*layout, db, output);
  } catch (const CppSQLite3Exception& error) {
    host.ShowMessage(Message::ReadDatabaseFailed, error.message());
    return false;
  }
  return true;
}
