// Looks for zembrix-access-query in the places it is built and installed to.
#include "readers/database/access_query_location.h"

#include <unistd.h>

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kExecutableName = "zembrix-access-query";

bool IsExecutableFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> FindAccessQueryExecutable() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  std::vector<fs::path> candidates;
  if (!error) {
    candidates.push_back(program.parent_path() / kExecutableName);
    candidates.push_back(program.parent_path() / ".." / ZEMBRIX_LIBEXEC_RELATIVE / kExecutableName);
  }
  candidates.push_back(fs::path(ZEMBRIX_LIBEXEC_INSTALLED) / kExecutableName);
  for (const fs::path& candidate : candidates) {
    if (IsExecutableFile(candidate)) return candidate.lexically_normal().string();
  }
  return std::nullopt;
}
