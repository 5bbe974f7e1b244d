// Building and writing the machine list file.
#include "core/machine_list_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "core/code_page.h"
#include "core/source_file.h"
#include "core/unique_fd.h"

void AppendMachineEntry(std::u16string& output, std::u16string_view mac, std::u16string_view ip,
                        std::u16string_view name) {
  output += u'[';
  output += mac;
  output += u"]\t\nIPAddr=";
  output += ip;
  output += u"\t\nName=";
  output += name;
  output += u"\t\n";
}

void AppendMachineEntry(std::u16string& output, const MachineEntry& entry) {
  AppendMachineEntry(output, entry.mac, entry.ip, entry.name);
}

namespace {

// Where the bytes really go: a symbolic link is written through, as opening it would.
std::string ResolveTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) return resolved;
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

mode_t NewFileMode(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The target must be a place a file can be written: not a folder, not a file
// we may not write.
bool TargetIsWritable(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) && ::access(target.c_str(), W_OK) == 0;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// Each code unit converts on its own, so the text is converted piece by piece
// (never between the two halves of a surrogate pair) to keep only one piece's
// bytes in memory beside the text.
bool WriteEncoded(int fd, std::u16string_view text) {
  constexpr std::size_t kPiece = 1 << 20;
  while (!text.empty()) {
    std::size_t length = std::min(kPiece, text.size());
    if (length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) {
      --length;
    }
    if (!WriteAll(fd, WideToAnsi(text.substr(0, length)))) return false;
    text.remove_prefix(length);
  }
  return true;
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) {
    std::string pattern = FolderOf(target) + "/.zembrix-XXXXXX";
    UniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd) {
      fd_ = std::move(fd);
      path_ = std::move(pattern);
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    fd_.Reset();
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  explicit operator bool() const { return static_cast<bool>(fd_); }
  int fd() const { return fd_.get(); }

  bool Commit(const std::string& target) {
    if (::close(fd_.Release()) != 0) return false;
    if (::rename(path_.c_str(), target.c_str()) != 0) return false;
    path_.clear();
    return true;
  }

 private:
  UniqueFd fd_;
  std::string path_;
};

}  // namespace

bool WriteMachineListFile(const std::u16string& outputPath, std::u16string_view output,
                          ConversionHost& host) {
  const std::string native = NativePath(outputPath);
  const std::string target = native.empty() ? native : ResolveTarget(native);
  if (target.empty() || !TargetIsWritable(target)) {
    host.ShowMessage(Message::CreateFileFailed);
    return false;
  }
  TemporaryFile file(target);
  if (!file || ::fchmod(file.fd(), NewFileMode(target)) != 0) {
    host.ShowMessage(Message::CreateFileFailed);
    return false;
  }
  if (!WriteEncoded(file.fd(), output) || ::fsync(file.fd()) != 0 || !file.Commit(target)) {
    host.ShowMessage(Message::WriteFileFailed);
    return false;
  }
  host.ShowMessage(Message::Success);
  return true;
}
