// The evidence of delimited line lists, looked at with the reader's own fields.
#include "readers/text/text_evidence.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/utf8.h"
#include "core/value_shapes.h"
#include "readers/text/delimited_fields.h"

namespace {

// How many of the first data lines are looked at.
constexpr int kLinesLooked = 16;

}  // namespace

int StructureEvidence(const DelimitedLineLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  DelimitedFields fields(ansi, layout.delimiter,
                         {layout.macField, layout.ipField, layout.nameField});
  std::string_view rest = head.wholeLines();
  if (layout.skipFirstLine) rest.remove_prefix(std::min(rest.size(), rest.find('\n') + 1));
  int best = kNoStructure;
  for (int line = 0; line < kLinesLooked && !rest.empty(); ++line) {
    std::string_view text = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(std::min(rest.size(), text.size() + 1));
    if (text.ends_with('\r')) text.remove_suffix(1);
    fields.Clear();
    fields.Append(text);
    if (fields.Count() < layout.minFields || fields.Count() > layout.maxFields) continue;
    best = kOutlineStructure;
    if (LooksLikeMac(Utf16ToUtf8Whole(fields.Value(layout.macField))) &&
        LooksLikeIPv4(Utf16ToUtf8Whole(fields.Value(layout.ipField)))) {
      return kFullStructure;
    }
  }
  return best;
}
