// Looks for zembrix-access-query in the places it is built and installed to.
#include "readers/database/access_query_location.h"

#include <string>
#include <vector>

#include "platform/child_process.h"

namespace {

namespace fs = std::filesystem;

const std::string kExecutableName = std::string("zembrix-access-query") + platform::kProgramSuffix;

bool IsExecutableFile(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  constexpr fs::perms kAnyExecute =
      fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  return !error && fs::is_regular_file(status) &&
         (status.permissions() & kAnyExecute) != fs::perms::none;
}

}  // namespace

std::optional<fs::path> FindAccessQueryExecutable() {
  std::vector<fs::path> candidates;
  if (const fs::path folder = platform::ProgramFolder(); !folder.empty()) {
    candidates.push_back(folder / kExecutableName);
    candidates.push_back(folder / ".." / ZEMBRIX_LIBEXEC_RELATIVE / kExecutableName);
  }
  candidates.push_back(fs::path(ZEMBRIX_LIBEXEC_INSTALLED) / kExecutableName);
  for (const fs::path& candidate : candidates) {
    if (IsExecutableFile(candidate)) return candidate.lexically_normal();
  }
  return std::nullopt;
}
