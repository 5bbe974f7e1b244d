// The core's UTF-8 texts as QStrings.
#pragma once

#include <QString>
#include <string_view>

[[nodiscard]] inline QString QStringFromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
