// Console text on Windows: wide characters to a console, UTF-8 bytes to a file or pipe.
#include "platform/console_text.h"

#include <io.h>
#include <windows.h>

#include "platform/windows/wide_text.h"

namespace platform {

bool WriteText(std::FILE* stream, std::string_view utf8) {
  const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode)) {
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
  }
  std::fflush(stream);
  const std::wstring text = WideFromUtf8(utf8);
  std::wstring_view rest = text;
  while (!rest.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 8192));
    if (!::WriteConsoleW(handle, rest.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    rest.remove_prefix(written);
  }
  return true;
}

}  // namespace platform
