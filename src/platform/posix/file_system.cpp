// File and folder questions on POSIX.
#include "platform/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/same_resolved_path.h"

namespace platform {

bool CanWriteInto(const std::filesystem::path& folder) {
  const std::filesystem::path checked = folder.empty() ? "." : folder;
  return ::access(checked.c_str(), W_OK | X_OK) == 0;
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {};
  struct stat second {};
  if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0) {
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  }
  return SameResolvedPath(a, b);
}

}  // namespace platform
