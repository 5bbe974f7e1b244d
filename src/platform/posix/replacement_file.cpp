// The replacement file on POSIX: mkostemp in the target's folder, fsync, rename.
#include "platform/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/posix/unique_fd.h"
#include "platform/posix/write_all.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Where the bytes really go: a symbolic link is written through, as opening it would.
fs::path ResolveTarget(const fs::path& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    std::error_code error;
    fs::path resolved = fs::canonical(path, error);
    if (!error) return resolved;
  }
  return path;
}

fs::path FolderOf(const fs::path& path) {
  const fs::path folder = path.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

mode_t NewFileMode(const fs::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The target must be a place a file can be written: not a folder, not a file
// we may not write.
bool TargetIsWritable(const fs::path& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) && ::access(target.c_str(), W_OK) == 0;
}

}  // namespace

struct ReplacementFile::State {
  UniqueFd fd;
  fs::path temporary;  // empty once renamed into place
  fs::path target;

  ~State() {
    fd.Reset();
    if (!temporary.empty()) ::unlink(temporary.c_str());
  }
};

ReplacementFile::ReplacementFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
ReplacementFile::ReplacementFile(ReplacementFile&&) noexcept = default;
ReplacementFile& ReplacementFile::operator=(ReplacementFile&&) noexcept = default;
ReplacementFile::~ReplacementFile() = default;

std::optional<ReplacementFile> ReplacementFile::Create(const fs::path& path) {
  if (path.empty()) return std::nullopt;
  const fs::path target = ResolveTarget(path);
  if (!TargetIsWritable(target)) return std::nullopt;
  std::string pattern = (FolderOf(target) / ".zembrix-XXXXXX").native();
  UniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!fd) return std::nullopt;
  auto state = std::make_unique<State>();
  state->fd = std::move(fd);
  state->temporary = pattern;
  state->target = target;
  if (::fchmod(state->fd.get(), NewFileMode(target)) != 0) return std::nullopt;
  return ReplacementFile(std::move(state));
}

bool ReplacementFile::Write(std::string_view bytes) { return WriteAll(state_->fd.get(), bytes); }

bool ReplacementFile::Commit() {
  if (::fsync(state_->fd.get()) != 0) return false;
  if (::close(state_->fd.Release()) != 0) return false;
  if (::rename(state_->temporary.c_str(), state_->target.c_str()) != 0) return false;
  state_->temporary.clear();
  return true;
}

}  // namespace platform
