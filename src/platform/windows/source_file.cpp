// Source files on Windows: only files on a disk; a folder, a pipe or a device
// name such as CON or NUL is refused before anything reads from it.
#include "platform/source_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/windows/long_path.h"
#include "platform/windows/unique_handle.h"

namespace platform {

struct SourceFile::Handle {
  UniqueHandle file;
};

SourceFile::SourceFile(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
SourceFile::SourceFile(SourceFile&&) noexcept = default;
SourceFile& SourceFile::operator=(SourceFile&&) noexcept = default;
SourceFile::~SourceFile() = default;

std::optional<SourceFile> SourceFile::Open(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open at all.
  UniqueHandle file(::CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return SourceFile(std::make_unique<Handle>(Handle{std::move(file)}));
}

std::optional<std::uint64_t> SourceFile::Size() const {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(handle_->file.get(), &size) || size.QuadPart < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::size_t> SourceFile::Read(char* buffer, std::size_t size) {
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  DWORD count = 0;
  if (!::ReadFile(handle_->file.get(), buffer, wanted, &count, nullptr)) return std::nullopt;
  return count;
}

std::intptr_t SourceFile::NativeHandle() const {
  return reinterpret_cast<std::intptr_t>(handle_->file.get());
}

}  // namespace platform
