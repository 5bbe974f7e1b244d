// File and folder questions on Windows.
#include "platform/file_system.h"

#include <windows.h>

#include <string>

#include "platform/same_resolved_path.h"
#include "platform/windows/long_path.h"
#include "platform/windows/unique_handle.h"

namespace platform {
namespace {

// Any file or folder, for its identity only.
UniqueHandle OpenForIdentity(const std::filesystem::path& path) {
  return UniqueHandle(::CreateFileW(LongPath(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

// Access control lists make "may I write here" a question only a try answers:
// a file that is gone again as soon as it is closed.
bool CanWriteInto(const std::filesystem::path& folder) {
  const std::filesystem::path checked = folder.empty() ? "." : folder;
  for (unsigned attempt = 0; attempt < 16; ++attempt) {
    const std::filesystem::path probe =
        checked / (L".zembrix-probe-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(::GetTickCount() + attempt));
    UniqueHandle file(::CreateFileW(LongPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file) return true;
    if (::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  const UniqueHandle first = OpenForIdentity(a);
  const UniqueHandle second = OpenForIdentity(b);
  BY_HANDLE_FILE_INFORMATION firstInfo{};
  BY_HANDLE_FILE_INFORMATION secondInfo{};
  if (first && second && ::GetFileInformationByHandle(first.get(), &firstInfo) &&
      ::GetFileInformationByHandle(second.get(), &secondInfo)) {
    return firstInfo.dwVolumeSerialNumber == secondInfo.dwVolumeSerialNumber &&
           firstInfo.nFileIndexHigh == secondInfo.nFileIndexHigh &&
           firstInfo.nFileIndexLow == secondInfo.nFileIndexLow;
  }
  return SameResolvedPath(a, b);
}

}  // namespace platform
