// The delimited-line reader.
#include "readers/text/delimited_line_reader.h"

#include <vector>

#include "platform/source_file.h"
#include "readers/text/line_reader.h"
#include "readers/text/split_string.h"

namespace {

std::optional<SkipReason> WhyUnused(const DelimitedLineLayout& layout,
                                    const std::vector<std::u16string>& fields) {
  if (fields.size() < layout.minFields || fields.size() > layout.maxFields) {
    return SkipReason::NotAMachine;
  }
  if (layout.macRequired && fields[layout.macField].empty()) return SkipReason::LackingValue;
  return std::nullopt;
}

}  // namespace

ReadOutcome ReadDelimitedLineSource(const SourceRequest& request,
                                    const DelimitedLineLayout& layout) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
  if (!file) return ReadOutcome::Failed(request.messages.openFailed);
  ReadOutcome outcome;
  LineReader lines(*file);
  std::string bytes;
  std::vector<std::u16string> fields;
  if (layout.skipFirstLine && !lines.Next(bytes)) return outcome;
  while (lines.Next(bytes)) {
    SplitString(request.context.ansi().Decode(bytes), fields, layout.delimiter);
    // An empty line, the last one after a final LF among them, is no record.
    if (fields.empty()) continue;
    if (const std::optional<SkipReason> reason = WhyUnused(layout, fields)) {
      outcome.skipped.Add(*reason);
      continue;
    }
    outcome.machines.Add(fields[layout.macField], fields[layout.ipField],
                         fields[layout.nameField]);
  }
  return outcome;
}
