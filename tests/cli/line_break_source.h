// A type's sample with a line break put into one machine's name, spelled as
// that type's source spells one: the way a hostile or careless source would
// try to start a line of its own in the machine list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conversion/source_types.h"

namespace fault_tests {

struct LineBreakSource {
  std::string bytes;     // the sample, one name changed
  std::string expected;  // the list the sample converts to, that name changed as it must be
};

// The first machine of the sample with a plain ASCII name gets its name's
// first characters replaced by "1", the break, "2"; `lineBreak` is the break
// as the value holds it once read: "\n", "\r" or "\r\n". Nothing when the type's
// source cannot hold that break inside a value (INI lines, the token scan's
// blanks, a line of delimited text ends at LF), or no such name is found.
[[nodiscard]] std::optional<LineBreakSource> WithLineBreakInAName(const SourceTypeInfo& type,
                                                                  std::string_view sample,
                                                                  std::string_view list,
                                                                  std::string_view lineBreak);

}  // namespace fault_tests
