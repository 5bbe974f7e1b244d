// Reads the machines of an Access database through the query process.
#include "readers/database/access_reader.h"

#include "core/utf8.h"
#include "readers/database/access_query_location.h"
#include "readers/database/access_query_process.h"

namespace {

// Jet 3 files keep text in the code page of the Windows that wrote them; the
// ANSI code page we convert with is the best guess for it.
std::string Jet3Charset(const platform::CodePage& ansi) {
  return ansi.number() == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(ansi.number());
}

}  // namespace

ReadOutcome ReadAccessSource(const SourceRequest& request, const AccessLayout& layout) {
  const std::optional<platform::SourceFile> database = platform::SourceFile::Open(request.source);
  if (!database) {
    return ReadOutcome::Failed(request.messages.openFailed,
                               "cannot open the source as a regular file");
  }
  const std::optional<std::filesystem::path> helper = FindAccessQueryExecutable();
  if (!helper) {
    return ReadOutcome::Failed(request.messages.readFailed, "zembrix-access-query is not installed");
  }
  const AccessQueryResult result =
      RunAccessQuery({*helper,
                      &*database,
                      layout.sql,
                      {layout.nameField, layout.ipField, layout.macField},
                      Jet3Charset(request.context.ansi()),
                      layout.timeLimit});
  if (!result.rows) return ReadOutcome::Failed(request.messages.readFailed, result.error);
  ReadOutcome outcome;
  for (const AccessRow& row : *result.rows) {
    std::u16string name = Utf8ToWide(row[0]);
    const std::u16string ip = Utf8ToWide(row[1]);
    std::u16string mac = Utf8ToWide(row[2]);
    if (mac.empty()) {
      outcome.skipped.Add(SkipReason::LackingValue);
      continue;
    }
    ApplyMachineRules(layout.rules, mac, name);
    outcome.machines.Add(mac, ip, name);
  }
  return outcome;
}
