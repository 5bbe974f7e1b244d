// Reads the machines of an Access database through the query process.
#include "readers/database/access_reader.h"

#include <algorithm>

#include "core/code_page.h"
#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "core/utf8.h"
#include "readers/database/access_query_location.h"
#include "readers/database/access_query_process.h"

namespace {

struct AccessMachineTable {
  const char* sql;
  const char* nameField;
  const char* ipField;
  const char* macField;
};

constexpr AccessMachineTable kComputerTable{"select name,ip,mac from computer", "name", "ip",
                                            "mac"};

// Jet 3 files keep text in the code page of the Windows that wrote them; the
// ANSI code page we convert with is the best guess for it.
std::string Jet3Charset() {
  const unsigned codePage = AnsiCodePage();
  return codePage == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(codePage);
}

void AppendRow(const AccessRow& row, std::u16string& output) {
  std::u16string name = Utf8ToWide(row[0]);
  const std::u16string ip = Utf8ToWide(row[1]);
  std::u16string mac = Utf8ToWide(row[2]);
  std::replace(mac.begin(), mac.end(), u'-', u':');
  if (mac.empty()) return;
  UpperCaseAToZ(mac);
  UpperCaseAToZ(name);
  AppendMachineEntry(output, mac, ip, name);
}

}  // namespace

bool ReadAccessSource(DisklessType, const std::u16string& sourcePath, std::u16string& output,
                      ConversionHost& host) {
  const UniqueFd database = OpenSourceFile(sourcePath);
  if (!database) {
    host.ShowMessage(Message::CreateFileFailed, "cannot open the source as a regular file");
    return false;
  }
  const std::optional<std::string> helper = FindAccessQueryExecutable();
  if (!helper) {
    host.ShowMessage(Message::CreateFileFailed, "zembrix-access-query is not installed");
    return false;
  }
  const AccessQueryResult result =
      RunAccessQuery({*helper,
                      database.get(),
                      kComputerTable.sql,
                      {kComputerTable.nameField, kComputerTable.ipField, kComputerTable.macField},
                      Jet3Charset(),
                      kAccessReadTimeLimit});
  if (!result.rows) {
    host.ShowMessage(Message::CreateFileFailed, result.error);
    return false;
  }
  for (const AccessRow& row : *result.rows) AppendRow(row, output);
  return true;
}
