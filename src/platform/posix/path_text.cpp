// Paths and their text on POSIX: bytes as they are, whatever their encoding.
#include "platform/path_text.h"

namespace platform {

std::filesystem::path PathFromArgument(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string PathText(const std::filesystem::path& path) { return path.native(); }

}  // namespace platform
