// Source file access shared by every reader.
#include "core/source_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "core/utf8.h"

std::string NativePath(const std::u16string& path) { return WideToUtf8(path); }

UniqueFd OpenSourceFile(const std::u16string& path) {
  const std::string native = NativePath(path);
  if (native.empty()) return {};
  // O_NONBLOCK keeps open() from waiting for a FIFO's writer; cleared below.
  UniqueFd fd(::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) return {};
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return {};
  return fd;
}

std::optional<std::string> ReadAllBytes(int fd) {
  std::string bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  char chunk[1 << 16];
  for (;;) {
    const ssize_t count = ::read(fd, chunk, sizeof chunk);
    if (count == 0) return bytes;
    if (count < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    bytes.append(chunk, static_cast<std::size_t>(count));
  }
}

std::optional<std::string> ReadSourceBytes(const std::u16string& path) {
  const UniqueFd fd = OpenSourceFile(path);
  struct stat info {};
  if (!fd || ::fstat(fd.get(), &info) != 0 || info.st_size > kMaxWholeFileSize) {
    return std::nullopt;
  }
  return ReadAllBytes(fd.get());
}

std::optional<std::string> ReadWholeSourceFile(const std::u16string& path,
                                               const WholeFileMessages& messages,
                                               ConversionHost& host) {
  const UniqueFd fd = OpenSourceFile(path);
  if (!fd) {
    host.ShowMessage(messages.openFailed);
    return std::nullopt;
  }
  struct stat info {};
  // The size is a 32-bit count in these sources' own systems: a file that does
  // not fit it is refused rather than read with a wrong size.
  if (::fstat(fd.get(), &info) != 0 || info.st_size == 0 || info.st_size > kMaxWholeFileSize) {
    host.ShowMessage(messages.sizeFailed);
    return std::nullopt;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  std::string bytes(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = ::read(fd.get(), bytes.data() + done, size - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      host.ShowMessage(messages.readFailed);
      return std::nullopt;
    }
    done += static_cast<std::size_t>(count);
  }
  return bytes;
}
