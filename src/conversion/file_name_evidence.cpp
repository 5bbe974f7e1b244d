// Matching a file name against the first pattern of a browse filter.
#include "conversion/file_name_evidence.h"

#include "core/ascii.h"

namespace {

// "description|pattern|...": the pattern of the first pair.
std::string_view FirstPattern(std::string_view filter) {
  const std::size_t start = filter.find('|');
  if (start == std::string_view::npos) return {};
  filter.remove_prefix(start + 1);
  return filter.substr(0, filter.find('|'));
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() &&
         EqualsIgnoringAsciiCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace

int FileNameEvidence(std::string_view browseFilter, std::string_view fileName) {
  const std::string_view pattern = FirstPattern(browseFilter);
  if (pattern.empty() || pattern == "*.*") return 0;
  if (pattern.starts_with("*.")) {
    return EndsWithIgnoringCase(fileName, pattern.substr(1)) && fileName.size() > pattern.size() - 1
               ? 1
               : 0;
  }
  return EqualsIgnoringAsciiCase(fileName, pattern) ? 2 : 0;
}
