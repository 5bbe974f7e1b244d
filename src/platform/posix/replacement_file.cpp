// The replacement file on POSIX: a locked mkostemp file in the target's folder,
// fsync, rename, then fsync of the folder.
#include "platform/replacement_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/posix/temporary_file_guard.h"
#include "platform/posix/unique_fd.h"
#include "platform/posix/write_all.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryPrefix = ".zembrix-";
constexpr std::size_t kTemporarySuffixLength = 6;  // what mkostemp puts for XXXXXX
constexpr int kMaxLinkDepth = 40;

// Where the bytes really go: a symbolic link is written through, as opening it
// would be, also when it dangles (the list is then written at its target).
fs::path ResolveTarget(fs::path path) {
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const fs::path link = fs::read_symlink(path, error);
    if (error) return path;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;  // a loop: the open below fails on it as the system's own would
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

bool SameInode(int fd, const fs::path& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool IsTemporaryName(std::string_view name) {
  return name.size() == kTemporaryPrefix.size() + kTemporarySuffixLength &&
         name.starts_with(kTemporaryPrefix);
}

// Every run holds a lock on its own temporary file for as long as it exists.
// One that can be locked is a leftover of a run that ended without removing
// it (SIGKILL, a power cut), and goes.
void RemoveStaleTemporaries(const fs::path& folder) {
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return;
  while (const dirent* entry = ::readdir(listing)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    const fs::path path = folder / entry->d_name;
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;  // a running conversion owns it
    if (SameInode(fd.get(), path)) ::unlink(path.c_str());
  }
  ::closedir(listing);
}

// A new temporary file, locked. A cleaner in another process may lock and
// remove it between mkostemp and flock: then the path no longer names the
// file we hold, and we take another name.
UniqueFd CreateLockedTemporary(const fs::path& folder, std::string& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = (folder / (std::string(kTemporaryPrefix) + "XXXXXX")).native();
    UniqueFd fd(::mkostemp(path.data(), O_CLOEXEC));
    if (!fd) return fd;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 && SameInode(fd.get(), path)) return fd;
  }
  return UniqueFd();
}

// After the rename the folder holds the new name only in memory until it is
// flushed too. A folder that cannot be opened for it, or a file system that
// cannot flush folders, is left as it is.
bool SyncFolder(const fs::path& folder) {
  const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd) return true;
  return ::fsync(fd.get()) == 0 || errno == EINVAL || errno == EROFS;
}

}  // namespace

struct ReplacementFile::State {
  UniqueFd fd;
  fs::path temporary;  // empty once renamed into place
  fs::path target;

  ~State() {
    if (!temporary.empty()) ::unlink(temporary.c_str());
    ReleaseTemporaryFile();
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
  const fs::path folder = FolderOf(target);
  RemoveStaleTemporaries(folder);
  auto state = std::make_unique<State>();
  std::string temporary;
  {
    const GuardedSignalsHeld held;
    state->fd = CreateLockedTemporary(folder, temporary);
    if (!state->fd) return std::nullopt;
    state->temporary = temporary;
    state->target = target;
    GuardTemporaryFile(temporary.c_str());
  }
  if (::fchmod(state->fd.get(), NewFileMode(target)) != 0) return std::nullopt;
  return ReplacementFile(std::move(state));
}

bool ReplacementFile::Write(std::string_view bytes) { return WriteAll(state_->fd.get(), bytes); }

bool ReplacementFile::Commit() {
  if (::fsync(state_->fd.get()) != 0) return false;
  // Renamed while still locked, so no other run ever takes it for a leftover.
  if (::rename(state_->temporary.c_str(), state_->target.c_str()) != 0) return false;
  state_->temporary.clear();
  ReleaseTemporaryFile();
  const bool closed = ::close(state_->fd.Release()) == 0;
  return SyncFolder(FolderOf(state_->target)) && closed;
}

}  // namespace platform
