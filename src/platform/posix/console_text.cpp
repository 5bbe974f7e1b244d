// Console text on POSIX: the UTF-8 bytes go out as they are.
#include "platform/console_text.h"

namespace platform {

bool WriteText(std::FILE* stream, std::string_view utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

}  // namespace platform
