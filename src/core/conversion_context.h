// What every reader of one conversion shares: the code page that stands for
// the Windows ANSI code page.
#pragma once

#include <memory>
#include <optional>

#include "platform/code_page.h"

inline constexpr unsigned kDefaultAnsiCodePage = 936;
inline constexpr unsigned kUtf8CodePage = platform::kUtf8CodePage;

class ConversionContext {
 public:
  // Nothing for a code page this system cannot convert, or one that is no
  // ANSI code page: tab, line ends and the printable ASCII characters must
  // each be the one byte of the same value, both ways.
  [[nodiscard]] static std::optional<ConversionContext> ForCodePage(unsigned codePage);
  // Code page 936, which every build converts.
  [[nodiscard]] static ConversionContext Default();

  [[nodiscard]] const platform::CodePage& ansi() const { return *ansi_; }

 private:
  explicit ConversionContext(std::shared_ptr<const platform::CodePage> ansi)
      : ansi_(std::move(ansi)) {}
  std::shared_ptr<const platform::CodePage> ansi_;
};
