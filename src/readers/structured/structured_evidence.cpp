// The evidence of the structured sources: ALD's records, profile sections,
// JSON and 顺无盘's tokens, each looked at with the reader's own parts.
#include "readers/structured/structured_evidence.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/ascii.h"
#include "core/utf8.h"
#include "core/value_shapes.h"
#include "readers/structured/profile_file.h"
#include "readers/structured/profile_text.h"
#include "readers/structured/token_scan.h"

namespace {

std::string_view UpToNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Past the white space and the comments ("//" to the end of the line, a lone
// CR too; "/* */") that the JSON reader skips between tokens; npos inside a
// comment the text does not close.
std::size_t PastJsonSpace(std::string_view text, std::size_t at) {
  while (at < text.size()) {
    const std::string_view rest = text.substr(at);
    if (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\r' ||
        rest.front() == '\n') {
      ++at;
    } else if (rest.starts_with("//")) {
      at = std::min(text.size(), text.find_first_of("\r\n", at + 2));
    } else if (rest.starts_with("/*")) {
      const std::size_t end = text.find("*/", at + 2);
      if (end == std::string_view::npos) return std::string_view::npos;
      at = end + 2;
    } else {
      break;
    }
  }
  return at;
}

// The raw text of every whole string from `at` on, outside comments.
std::vector<std::string_view> JsonStrings(std::string_view text, std::size_t at) {
  std::vector<std::string_view> strings;
  while ((at = PastJsonSpace(text, at)) < text.size()) {
    if (text[at] != '"') {
      ++at;
      continue;
    }
    std::size_t end = at + 1;
    while (end < text.size() && text[end] != '"') end += text[end] == '\\' ? 2 : 1;
    if (end >= text.size()) break;
    strings.push_back(text.substr(at + 1, end - at - 1));
    at = end + 1;
  }
  return strings;
}

}  // namespace

int StructureEvidence(const AldLayout& layout, const SourceHead& head, const platform::CodePage&) {
  if (head.size == 0 || head.size % layout.recordSize != 0) return kNoStructure;
  // Empty slots are common: the first record that holds a MAC tells.
  for (std::size_t at = 0; at + layout.recordSize <= head.bytes.size(); at += layout.recordSize) {
    const std::string_view record = std::string_view(head.bytes).substr(at, layout.recordSize);
    const std::string_view mac = UpToNul(record.substr(layout.macOffset, layout.macSize));
    if (!mac.empty()) return LooksLikeMac(mac) ? kFullStructure : kOutlineStructure;
  }
  return kOutlineStructure;
}

int StructureEvidence(const IniLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  std::string_view bytes = head.wholeLines();
  // A UTF-16 head cut inside a unit would shift every character after it.
  if (!head.whole() && bytes.size() % 2 != 0) bytes.remove_suffix(1);
  const ProfileFile profile(DecodeProfileText(bytes, ansi));
  int best = kNoStructure;
  for (const std::u16string& section : profile.SectionNames()) {
    bool everyKey = true;
    for (const IniField* field : {&layout.mac, &layout.ip, &layout.name}) {
      if (!field->key.empty() && profile.Value(section, field->key).empty()) everyKey = false;
    }
    const std::u16string mac =
        layout.mac.key.empty() ? section : profile.Value(section, layout.mac.key);
    const int evidence = !everyKey                  ? kOutlineStructure
                         : LooksLikeMac(Utf16ToUtf8Whole(mac)) ? kFullStructure
                                                   : kStorageStructure;
    best = std::max(best, evidence);
    if (best == kFullStructure) break;
  }
  return best;
}

int StructureEvidence(const JsonLayout& layout, const SourceHead& head, const platform::CodePage&) {
  std::string_view text = head.bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::size_t first = PastJsonSpace(text, 0);
  if (first >= text.size() || text[first] != '{') return kNoStructure;
  const std::vector<std::string_view> strings = JsonStrings(text, first + 1);
  const auto member = [&](std::string_view name) {
    return std::find(strings.begin(), strings.end(), name) != strings.end();
  };
  if (!member(layout.listMember)) return kOutlineStructure;
  return member(layout.macMember) && member(layout.ipMember) ? kFullStructure
                                                              : kStorageStructure;
}

int StructureEvidence(const TokenScanLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  TokenScanner scanner(ansi);
  std::vector<std::string> tokens;
  std::string token;
  scanner.Feed(head.bytes);
  while (scanner.Next(token)) tokens.push_back(token);
  if (head.whole() && !scanner.ended()) {
    scanner.Finish();
    while (scanner.Next(token)) tokens.push_back(token);
  }
  int best = kNoStructure;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (!EqualsIgnoringAsciiCase(tokens[i], layout.keyToken)) continue;
    const auto at = [&](std::ptrdiff_t distance) -> std::string_view {
      const std::ptrdiff_t index = static_cast<std::ptrdiff_t>(i) + distance;
      if (index < 0 || index >= static_cast<std::ptrdiff_t>(tokens.size())) return {};
      return tokens[static_cast<std::size_t>(index)];
    };
    best = kOutlineStructure;
    if (LooksLikeMac(at(layout.macDistance)) && LooksLikeIPv4(at(layout.ipDistance))) {
      return kFullStructure;
    }
  }
  return best;
}
