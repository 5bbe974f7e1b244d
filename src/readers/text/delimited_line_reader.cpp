// The delimited-line reader: lines and fields streamed, so a line of any
// length takes no more memory than the few values a machine keeps.
#include "readers/text/delimited_line_reader.h"

#include "platform/source_file.h"
#include "readers/text/delimited_fields.h"
#include "readers/text/line_reader.h"

namespace {

std::optional<SkipReason> WhyUnused(const DelimitedLineLayout& layout,
                                    const DelimitedFields& fields) {
  const std::size_t count = fields.Count();
  if (count < layout.minFields || count > layout.maxFields) return SkipReason::NotAMachine;
  if (layout.macRequired && fields.Empty(layout.macField)) return SkipReason::LackingValue;
  return std::nullopt;
}

// The values of one line, their room reused from line to line.
struct LineValues {
  std::u16string mac, ip, name;
};

void TakeLine(const DelimitedLineLayout& layout, const DelimitedFields& fields,
              LineValues& values, ReadOutcome& outcome) {
  // An empty line, the last one after a final LF among them, is no record.
  if (fields.Count() == 0) return;
  if (const std::optional<SkipReason> reason = WhyUnused(layout, fields)) {
    outcome.skipped.Add(*reason);
    return;
  }
  fields.Value(layout.macField, values.mac);
  fields.Value(layout.ipField, values.ip);
  fields.Value(layout.nameField, values.name);
  outcome.machines.Add(values.mac, values.ip, values.name);
}

}  // namespace

ReadOutcome ReadDelimitedLineSource(const SourceRequest& request,
                                    const DelimitedLineLayout& layout) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
  if (!file) return ReadOutcome::Failed(request.messages.openFailed);
  ReadOutcome outcome;
  LineReader lines(*file);
  DelimitedFields fields(request.context.ansi(), layout.delimiter,
                         {layout.macField, layout.ipField, layout.nameField});
  LineValues values;
  bool skipping = layout.skipFirstLine;
  for (LinePiece piece; lines.Next(piece);) {
    if (skipping) {
      skipping = !piece.endsLine;
      continue;
    }
    fields.Append(piece.bytes);
    if (!piece.endsLine) continue;
    TakeLine(layout, fields, values, outcome);
    fields.Clear();
  }
  // A list cut short by a failed read is no list.
  if (lines.failed()) return ReadOutcome::Failed(request.messages.readFailed);
  return outcome;
}
