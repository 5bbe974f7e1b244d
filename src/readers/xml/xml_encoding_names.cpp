// The encoding names documents declare, and the code pages we read them in.
#include "readers/xml/xml_encoding_names.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "core/ascii.h"

namespace {

struct NamedEncoding {
  std::string_view name;  // lower case
  unsigned codePage;
};

// GB18030 is read as GBK, its two-byte characters: a four-byte one becomes
// two "?" instead of refusing the whole document.
constexpr std::array kNamedCodePages = {
    NamedEncoding{"gb2312", 936},         NamedEncoding{"gbk", 936},
    NamedEncoding{"x-gbk", 936},          NamedEncoding{"euc-cn", 936},
    NamedEncoding{"csgb2312", 936},       NamedEncoding{"gb18030", 936},
    NamedEncoding{"big5", 950},           NamedEncoding{"big-5", 950},
    NamedEncoding{"cn-big5", 950},        NamedEncoding{"csbig5", 950},
    NamedEncoding{"x-x-big5", 950},       NamedEncoding{"big5-hkscs", 950},
    NamedEncoding{"shift_jis", 932},      NamedEncoding{"shift-jis", 932},
    NamedEncoding{"sjis", 932},           NamedEncoding{"x-sjis", 932},
    NamedEncoding{"ms_kanji", 932},       NamedEncoding{"csshiftjis", 932},
    NamedEncoding{"windows-31j", 932},    NamedEncoding{"euc-kr", 949},
    NamedEncoding{"cseuckr", 949},        NamedEncoding{"ks_c_5601-1987", 949},
    NamedEncoding{"uhc", 949},            NamedEncoding{"tis-620", 874},
    NamedEncoding{"iso-8859-11", 874},    NamedEncoding{"koi8-r", 20866},
    NamedEncoding{"cskoi8r", 20866},      NamedEncoding{"koi8-u", 21866},
    NamedEncoding{"macintosh", 10000},    NamedEncoding{"x-mac-roman", 10000},
};

// The code pages that "windows-N", "cpN", "x-cpN", "msN" and "ibmN" may name.
// UTF-8, UTF-16 and the pages with longer characters are left out.
constexpr std::array kNumberedCodePages = {
    437u,  737u,  775u,  850u,  852u,  855u,  857u,  858u,  861u,   862u,   866u,   869u,
    874u,  932u,  936u,  949u,  950u,  1250u, 1251u, 1252u, 1253u,  1254u,  1255u,  1256u,
    1257u, 1258u, 10000u, 10007u, 10029u, 20866u, 21866u,
};

// ISO-8859-N as the Windows code page 28590 + N (ISO-8859-1 is the parser's own).
constexpr std::array kIsoNumbersAsCodePages = {2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 13u, 15u};

constexpr std::array<std::string_view, 5> kNumberPrefixes = {"windows-", "cp", "x-cp", "ms",
                                                             "ibm"};
constexpr std::array<std::string_view, 3> kIsoPrefixes = {"iso-8859-", "iso8859-", "iso_8859-"};

struct ParserAlias {
  std::string_view name;  // lower case
  const char* parserName;
};

constexpr std::array kParserAliases = {
    ParserAlias{"utf8", "UTF-8"},
    ParserAlias{"ascii", "US-ASCII"},
    ParserAlias{"ansi_x3.4-1968", "US-ASCII"},
    ParserAlias{"latin1", "ISO-8859-1"},
    ParserAlias{"l1", "ISO-8859-1"},
    ParserAlias{"iso8859-1", "ISO-8859-1"},
    ParserAlias{"iso_8859-1", "ISO-8859-1"},
    ParserAlias{"csisolatin1", "ISO-8859-1"},
};

std::string Lower(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return AsciiLower(c); });
  return lower;
}

std::optional<unsigned> NumberAfter(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  unsigned number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error != std::errc() || end != name.data() + name.size() || name.front() == '0') {
    return std::nullopt;
  }
  return number;
}

template <typename Array>
bool Holds(const Array& values, unsigned value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

const char* ParserEncodingNameFor(std::string_view declared) {
  const std::string name = Lower(declared);
  for (const ParserAlias& alias : kParserAliases) {
    if (alias.name == name) return alias.parserName;
  }
  return nullptr;
}

std::optional<unsigned> CodePageForEncodingName(std::string_view declared) {
  const std::string name = Lower(declared);
  for (const NamedEncoding& named : kNamedCodePages) {
    if (named.name == name) return named.codePage;
  }
  for (std::string_view prefix : kNumberPrefixes) {
    const std::optional<unsigned> number = NumberAfter(name, prefix);
    if (number && Holds(kNumberedCodePages, *number)) return number;
  }
  for (std::string_view prefix : kIsoPrefixes) {
    const std::optional<unsigned> iso = NumberAfter(name, prefix);
    if (iso && Holds(kIsoNumbersAsCodePages, *iso)) return 28590 + *iso;
  }
  return std::nullopt;
}
