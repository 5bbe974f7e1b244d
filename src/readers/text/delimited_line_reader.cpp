// The delimited-line reader and its per-type layouts.
#include "readers/text/delimited_line_reader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "core/code_page.h"
#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "readers/text/line_reader.h"
#include "readers/text/split_string.h"

namespace {

constexpr std::size_t kAnyCount = std::numeric_limits<std::size_t>::max();

struct DelimitedLineLayout {
  DisklessType type;
  Message openFailed;
  bool skipFirstLine;
  char16_t delimiter;
  std::size_t minFields;  // a line is used when it has minFields to maxFields fields
  std::size_t maxFields;
  bool macRequired;       // and, if set, a MAC that is not empty
  std::size_t macField;
  std::size_t ipField;
  std::size_t nameField;
};

constexpr std::array kLayouts = {
    DelimitedLineLayout{DisklessType::Xinyou, Message::OpenSourceFailed, true, u',', 3, kAnyCount,
                        true, 2, 1, 0},
    DelimitedLineLayout{DisklessType::FanggeziV5, Message::OpenV5Failed, false, u'|', 19,
                        kAnyCount, false, 2, 3, 1},
    DelimitedLineLayout{DisklessType::Lvhua, Message::OpenSourceFailed, false, u' ', 3, 3, false,
                        2, 1, 0},
};

const DelimitedLineLayout* FindLayout(DisklessType type) {
  const auto row = std::find_if(kLayouts.begin(), kLayouts.end(),
                                [type](const DelimitedLineLayout& r) { return r.type == type; });
  return row == kLayouts.end() ? nullptr : &*row;
}

bool LineIsUsed(const DelimitedLineLayout& layout, const std::vector<std::u16string>& fields) {
  if (fields.size() < layout.minFields || fields.size() > layout.maxFields) return false;
  return !layout.macRequired || !fields[layout.macField].empty();
}

}  // namespace

bool ReadDelimitedLineSource(DisklessType type, const std::u16string& sourcePath,
                             std::u16string& output, ConversionHost& host) {
  const DelimitedLineLayout* layout = FindLayout(type);
  const UniqueFd fd = OpenSourceFile(sourcePath);
  if (!layout || !fd) {
    host.ShowMessage(layout ? layout->openFailed : Message::OpenSourceFailed);
    return false;
  }
  LineReader lines(fd.get());
  std::string bytes;
  std::vector<std::u16string> fields;
  if (layout->skipFirstLine && !lines.Next(bytes)) return true;
  while (lines.Next(bytes)) {
    SplitString(AnsiToWide(bytes), fields, layout->delimiter);
    if (!LineIsUsed(*layout, fields)) continue;
    AppendMachineEntry(output, fields[layout->macField], fields[layout->ipField],
                       fields[layout->nameField]);
  }
  return true;
}
