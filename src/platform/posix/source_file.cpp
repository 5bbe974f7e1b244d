// Source files on POSIX: O_NONBLOCK on open so that a FIFO cannot make us wait.
#include "platform/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/unique_fd.h"

namespace platform {

struct SourceFile::Handle {
  UniqueFd fd;
};

SourceFile::SourceFile(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
SourceFile::SourceFile(SourceFile&&) noexcept = default;
SourceFile& SourceFile::operator=(SourceFile&&) noexcept = default;
SourceFile::~SourceFile() = default;

std::optional<SourceFile> SourceFile::Open(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) return std::nullopt;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return std::nullopt;
  return SourceFile(std::make_unique<Handle>(Handle{std::move(fd)}));
}

std::optional<std::uint64_t> SourceFile::Size() const {
  struct stat info {};
  if (::fstat(handle_->fd.get(), &info) != 0 || info.st_size < 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::size_t> SourceFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(handle_->fd.get(), buffer, size);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) return std::nullopt;
  }
}

std::intptr_t SourceFile::NativeHandle() const { return handle_->fd.get(); }

}  // namespace platform
