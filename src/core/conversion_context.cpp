// Opening the ANSI code page of a conversion.
#include "core/conversion_context.h"

#include <stdexcept>
#include <string>

namespace {

// The sources and the machine list file are parsed and written as ASCII
// ("[", "=", tabs, line ends, digits, letters): a code page that encodes
// these otherwise (UTF-16, UTF-32, EBCDIC) would write a file no one can read.
bool KeepsAscii(const platform::CodePage& page) {
  std::u16string text = u"\t\n\r";
  for (char16_t c = 0x20; c <= 0x7E; ++c) text += c;
  const std::string bytes(text.begin(), text.end());
  return page.Encode(text) == bytes && page.Decode(bytes) == text;
}

}  // namespace

std::optional<ConversionContext> ConversionContext::ForCodePage(unsigned codePage) {
  std::shared_ptr<const platform::CodePage> ansi = platform::CodePage::Open(codePage);
  if (!ansi || !KeepsAscii(*ansi)) return std::nullopt;
  return ConversionContext(std::move(ansi));
}

ConversionContext ConversionContext::Default() {
  std::optional<ConversionContext> context = ForCodePage(kDefaultAnsiCodePage);
  if (!context) throw std::runtime_error("code page 936 cannot be converted on this system");
  return *context;
}
