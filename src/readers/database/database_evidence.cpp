// The evidence of the database sources: the engine's header, the table named.
#include "readers/database/database_evidence.h"

#include <algorithm>
#include <string_view>

#include "core/ascii.h"

namespace {

// The table a query reads: the word after its last " from ".
std::string_view QueriedTable(std::string_view query) {
  std::size_t at = std::string_view::npos;
  for (std::size_t i = 0; i + 6 <= query.size(); ++i) {
    if (EqualsIgnoringAsciiCase(query.substr(i, 6), " from ")) at = i + 6;
  }
  if (at == std::string_view::npos) return {};
  const std::string_view rest = query.substr(at);
  return rest.substr(0, rest.find_first_of(" ;"));
}

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
  if (word.empty() || word.size() > text.size()) return false;
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
    if (EqualsIgnoringAsciiCase(text.substr(i, word.size()), word)) return true;
  }
  return false;
}

}  // namespace

int StructureEvidence(const SqliteLayout& layout, const SourceHead& head,
                      const platform::CodePage&) {
  constexpr std::string_view kHeader{"SQLite format 3\0", 16};
  if (!head.bytes.starts_with(kHeader)) return kNoStructure;
  // The schema's text lies in the first pages; the read tells the columns.
  return ContainsIgnoringCase(head.bytes, QueriedTable(layout.query)) ? kStorageStructure
                                                                      : kOutlineStructure;
}

int StructureEvidence(const AccessLayout&, const SourceHead& head, const platform::CodePage&) {
  // Jet 3 and 4 databases, and ACE ones, name their engine at byte 4.
  const std::string_view engine =
      std::string_view(head.bytes).substr(std::min<std::size_t>(4, head.bytes.size()));
  return engine.starts_with("Standard Jet DB") || engine.starts_with("Standard ACE DB")
             ? kStorageStructure
             : kNoStructure;
}
