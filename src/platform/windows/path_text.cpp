// Paths and their text on Windows: UTF-8 to and from the wide native form.
#include "platform/path_text.h"

#include "platform/windows/wide_text.h"

namespace platform {

std::filesystem::path PathFromArgument(std::string_view text) {
  return std::filesystem::path(WideFromUtf8(text));
}

std::string PathText(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }

}  // namespace platform
