// Opening the ANSI code page of a conversion.
#include "core/conversion_context.h"

#include <stdexcept>

std::optional<ConversionContext> ConversionContext::ForCodePage(unsigned codePage) {
  std::shared_ptr<const platform::CodePage> ansi = platform::CodePage::Open(codePage);
  if (!ansi) return std::nullopt;
  return ConversionContext(std::move(ansi));
}

ConversionContext ConversionContext::Default() {
  std::optional<ConversionContext> context = ForCodePage(kDefaultAnsiCodePage);
  if (!context) throw std::runtime_error("code page 936 cannot be converted on this system");
  return *context;
}
