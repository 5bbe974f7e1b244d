// Writing a whole byte string to a descriptor, across short writes and signals.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace platform {

[[nodiscard]] inline bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

}  // namespace platform
