// Spelling a line break in each reader family's source.
#include "cli/line_break_source.h"

#include <algorithm>
#include <cctype>
#include <variant>

#include "core/ascii.h"

namespace fault_tests {
namespace {

// How a family's source carries a character inside a value.
enum class Spelling {
  None,        // it cannot hold the break inside a value
  RawCrAlone,  // as itself, but a line ends at LF
  Raw,         // as itself, in place: fixed fields and database records keep their length
  XmlReference,
  JsonEscape,
};

template <typename... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};

Spelling SpellingOf(const ReaderSettings& settings) {
  return std::visit(
      Overloaded{
          [](const DelimitedLineLayout&) { return Spelling::RawCrAlone; },
          [](const IniLayout&) { return Spelling::None; },
          [](const TokenScanLayout&) { return Spelling::None; },
          [](const JsonLayout&) { return Spelling::JsonEscape; },
          [](const AldLayout&) { return Spelling::Raw; },
          [](const SqliteLayout&) { return Spelling::Raw; },
          [](const AccessLayout&) { return Spelling::Raw; },
          [](const auto&) { return Spelling::XmlReference; },  // the XML families
      },
      settings);
}

std::string Spelled(std::string_view lineBreak, Spelling spelling) {
  std::string text;
  for (const char c : lineBreak) {
    if (spelling == Spelling::XmlReference) {
      text += c == '\n' ? "&#10;" : "&#13;";
    } else if (spelling == Spelling::JsonEscape) {
      text += c == '\n' ? "\\n" : "\\r";
    } else {
      text += c;
    }
  }
  return text;
}

// The first name of the list that is plain ASCII letters, digits and dashes,
// long enough to take "1", the break and "2".
std::optional<std::string> PlainName(std::string_view list, std::size_t atLeast) {
  constexpr std::string_view kKey = "\nName=";
  for (std::size_t at = list.find(kKey); at != std::string_view::npos;
       at = list.find(kKey, at + 1)) {
    const std::size_t start = at + kKey.size();
    const std::string_view name = list.substr(start, list.find('\t', start) - start);
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
    });
    if (plain && name.size() >= atLeast) return std::string(name);
  }
  return std::nullopt;
}

// Where `what` first stands in `text`, the case of A to Z ignored.
std::size_t FindIgnoringCase(std::string_view text, std::string_view what) {
  const auto same = [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); };
  const auto at = std::search(text.begin(), text.end(), what.begin(), what.end(), same);
  return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

std::string Utf16Le(std::string_view ascii) {
  std::string bytes;
  for (const char c : ascii) bytes += {c, '\0'};
  return bytes;
}

}  // namespace

std::optional<LineBreakSource> WithLineBreakInAName(const SourceTypeInfo& type,
                                                    std::string_view sample,
                                                    std::string_view list,
                                                    std::string_view lineBreak) {
  const Spelling spelling = SpellingOf(type.settings);
  if (spelling == Spelling::None) return std::nullopt;
  if (spelling == Spelling::RawCrAlone && lineBreak.find('\n') != std::string_view::npos) {
    return std::nullopt;
  }
  // "1" BREAK "2" takes the place of as many characters of the name.
  const std::size_t replaced = lineBreak.size() + 2;
  const std::optional<std::string> name = PlainName(list, replaced + 1);
  if (!name) return std::nullopt;
  const std::string head = name->substr(0, replaced);
  const std::string inserted = "1" + Spelled(lineBreak, spelling) + "2";

  LineBreakSource changed{std::string(sample), std::string(list)};
  // Jet 4 text is UTF-16LE; every other source here holds ASCII as itself.
  // In markup a value starts after a quote or a tag, where an element of the
  // same name cannot.
  std::size_t at = std::string_view::npos;
  if (spelling == Spelling::XmlReference || spelling == Spelling::JsonEscape) {
    for (const char opening : {'"', '\'', '>'}) {
      if (at != std::string_view::npos) break;
      at = FindIgnoringCase(sample, opening + *name);
      if (at != std::string_view::npos) ++at;
    }
  } else {
    at = FindIgnoringCase(sample, *name);
  }
  std::size_t width = head.size();
  std::string replacement = inserted;
  if (at == std::string_view::npos && spelling == Spelling::Raw) {
    at = FindIgnoringCase(sample, Utf16Le(*name));
    width = 2 * head.size();
    replacement = Utf16Le(inserted);
  }
  if (at == std::string_view::npos) return std::nullopt;
  changed.bytes.replace(at, width, replacement);

  const std::string entry = "\nName=" + *name + "\t";
  const std::size_t inList = changed.expected.find(entry);
  changed.expected.replace(inList + 6, head.size(),
                           "1" + std::string(lineBreak.size(), ' ') + "2");
  return changed;
}

}  // namespace fault_tests
