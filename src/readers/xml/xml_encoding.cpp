// Finding the declared encoding, and reading gb2312/gbk documents as code page 936.
#include "readers/xml/xml_encoding.h"

#include <algorithm>
#include <array>

#include "core/ascii.h"
#include "core/byte_order_mark.h"
#include "core/utf8.h"
#include "platform/code_page.h"

namespace {

constexpr unsigned kChineseCodePage = 936;
constexpr std::array<std::string_view, 2> kCodePage936Names = {"gb2312", "gbk"};

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string DeclaredEncoding(std::string_view bytes) {
  constexpr std::string_view kOpen = "<?xml";
  if (!bytes.starts_with(kOpen) || bytes.size() <= kOpen.size() ||
      !IsXmlSpace(bytes[kOpen.size()])) {
    return {};
  }
  const std::size_t close = bytes.find("?>");
  const std::string_view declaration = bytes.substr(0, close);
  constexpr std::string_view kName = "encoding";
  for (std::size_t at = declaration.find(kName); at != std::string_view::npos;
       at = declaration.find(kName, at + 1)) {
    if (!IsXmlSpace(declaration[at - 1])) continue;
    std::size_t i = at + kName.size();
    while (i < declaration.size() && IsXmlSpace(declaration[i])) ++i;
    if (i >= declaration.size() || declaration[i] != '=') continue;
    ++i;
    while (i < declaration.size() && IsXmlSpace(declaration[i])) ++i;
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\'')) continue;
    const std::size_t end = declaration.find(declaration[i], i + 1);
    if (end == std::string_view::npos) return {};
    return std::string(declaration.substr(i + 1, end - i - 1));
  }
  return {};
}

std::optional<std::string> DecodeCodePage936Document(std::string_view bytes) {
  if (LeadingByteOrderMark(bytes)) return std::nullopt;
  const std::string declared = DeclaredEncoding(bytes);
  if (std::none_of(kCodePage936Names.begin(), kCodePage936Names.end(),
                   [&](std::string_view name) { return EqualsIgnoringAsciiCase(declared, name); })) {
    return std::nullopt;
  }
  const std::unique_ptr<platform::CodePage> chinese = platform::CodePage::Open(kChineseCodePage);
  if (!chinese) return std::nullopt;
  // Decoding stops at a NUL; keep each NUL so that the parser still refuses it.
  std::u16string text;
  for (std::size_t start = 0;;) {
    const std::size_t nul = bytes.find('\0', start);
    text += chinese->Decode(bytes.substr(start, nul - start));
    if (nul == std::string_view::npos) break;
    text += u'\0';
    start = nul + 1;
  }
  return Utf16ToUtf8Whole(text);
}
