// The evidence of the text sources: profile sections, delimited lines, JSON
// and 顺无盘's tokens, each looked at with the reader's own parts.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/structure_evidence.h"
#include "conversion/value_shapes.h"
#include "core/ascii.h"
#include "core/utf8.h"
#include "readers/structured/profile_file.h"
#include "readers/structured/profile_text.h"
#include "readers/structured/token_scan.h"
#include "readers/text/delimited_fields.h"

namespace {

// How many of the first data lines are looked at.
constexpr int kLinesLooked = 16;

std::string Utf8(const std::u16string& text) { return Utf16ToUtf8Whole(text); }

// The head without a last line the head may have cut.
std::string_view WholeLines(const SourceHead& head) {
  std::string_view bytes = head.bytes;
  if (!head.whole()) bytes = bytes.substr(0, bytes.rfind('\n') + 1);
  return bytes;
}

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

int StructureEvidence(const IniLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  std::string_view bytes = WholeLines(head);
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
                         : LooksLikeMac(Utf8(mac)) ? kFullStructure
                                                   : kStorageStructure;
    best = std::max(best, evidence);
    if (best == kFullStructure) break;
  }
  return best;
}

int StructureEvidence(const DelimitedLineLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  DelimitedFields fields(ansi, layout.delimiter, {layout.macField, layout.ipField, layout.nameField});
  std::string_view rest = WholeLines(head);
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
    if (LooksLikeMac(Utf8(fields.Value(layout.macField))) &&
        LooksLikeIPv4(Utf8(fields.Value(layout.ipField)))) {
      return kFullStructure;
    }
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
