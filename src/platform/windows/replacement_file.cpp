// The replacement file on Windows: a temporary file beside the target that the
// system deletes by itself if the process dies while writing it, flushed and
// then renamed over the target in one step.
#include "platform/replacement_file.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/windows/long_path.h"
#include "platform/windows/unique_handle.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::wstring_view kTemporaryPrefix = L".zembrix-";
constexpr std::wstring_view kNameCharacters = L"abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporarySuffixLength = 6;

fs::path FolderOf(const fs::path& path) {
  const fs::path folder = path.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// The target must be a place a file can be written: not a folder, not a
// read-only file, not a file we may not open for writing.
bool TargetIsWritable(const fs::path& target) {
  const std::wstring name = LongPath(target);
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND;
  }
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) return false;
  const UniqueHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
  return file && ::GetFileType(file.get()) == FILE_TYPE_DISK;
}

// Exactly the names TemporaryName gives. The search pattern alone would not
// do: a "?" at the end of a pattern also matches no character at all.
bool IsTemporaryName(std::wstring_view name) {
  return name.size() == kTemporaryPrefix.size() + kTemporarySuffixLength &&
         name.starts_with(kTemporaryPrefix);
}

// A leftover of a run that could not finish its move. A running conversion
// holds its file open without sharing, so its file cannot be deleted here.
void RemoveStaleTemporaries(const fs::path& folder) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = LongPath(folder / (std::wstring(kTemporaryPrefix) + L"*"));
  const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        IsTemporaryName(found.cFileName)) {
      ::DeleteFileW(LongPath(folder / found.cFileName).c_str());
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

std::wstring TemporaryName(unsigned attempt) {
  unsigned long long seed = ::GetTickCount64() * 6364136223846793005ULL ^
                            (static_cast<unsigned long long>(::GetCurrentProcessId()) << 20) ^
                            (attempt * 1442695040888963407ULL);
  std::wstring name(kTemporaryPrefix);
  for (std::size_t i = 0; i < kTemporarySuffixLength; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    name += kNameCharacters[(seed >> 33) % kNameCharacters.size()];
  }
  return name;
}

bool SetDeleteOnClose(HANDLE file, bool remove) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = remove ? TRUE : FALSE;
  return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

// The system's own name for a path, as a rename by handle takes it: the long
// form of its full path with \??\ for \\?\ (or \\.\).
std::wstring SystemPathOf(const fs::path& path) {
  const std::wstring full = FullPathName(path);
  if (full.empty()) return {};
  return L"\\??\\" + LongFormOf(full).substr(4);
}

// Puts the file in the target's place while it is still open: closed under
// its temporary name first, it could be taken for a leftover and deleted by
// another run into the same folder before the move.
bool RenameOver(HANDLE file, const fs::path& target) {
  const std::wstring name = SystemPathOf(target);
  if (name.empty()) return false;
  std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) +
                                    (name.size() + 1) * sizeof(wchar_t));
  auto* const rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::memcpy(rename->FileName, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  return ::SetFileInformationByHandle(file, FileRenameInfo, rename,
                                      static_cast<DWORD>(buffer.size())) != 0;
}

}  // namespace

struct ReplacementFile::State {
  UniqueHandle file;
  fs::path temporary;  // empty once moved into place
  fs::path target;

  ~State() {
    if (!file) return;
    // Still marked for deletion unless Commit cleared the mark.
    file.reset();
    if (!temporary.empty()) ::DeleteFileW(LongPath(temporary).c_str());
  }
};

ReplacementFile::ReplacementFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
ReplacementFile::ReplacementFile(ReplacementFile&&) noexcept = default;
ReplacementFile& ReplacementFile::operator=(ReplacementFile&&) noexcept = default;
ReplacementFile::~ReplacementFile() = default;

std::optional<ReplacementFile> ReplacementFile::Create(const fs::path& target) {
  if (target.empty() || !TargetIsWritable(target)) return std::nullopt;
  const fs::path folder = FolderOf(target);
  RemoveStaleTemporaries(folder);
  auto state = std::make_unique<State>();
  for (unsigned attempt = 0; attempt < 100 && !state->file; ++attempt) {
    state->temporary = folder / TemporaryName(attempt);
    state->file = UniqueHandle(::CreateFileW(LongPath(state->temporary).c_str(),
                                             GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!state->file && ::GetLastError() != ERROR_FILE_EXISTS) return std::nullopt;
  }
  if (!state->file) return std::nullopt;
  state->target = target;
  if (!SetDeleteOnClose(state->file.get(), true)) {
    state->file.reset();
    ::DeleteFileW(LongPath(state->temporary).c_str());
    return std::nullopt;
  }
  return ReplacementFile(std::move(state));
}

bool ReplacementFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 24));
    DWORD written = 0;
    if (!::WriteFile(state_->file.get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool ReplacementFile::Commit() {
  HANDLE file = state_->file.get();
  if (!::FlushFileBuffers(file) || !SetDeleteOnClose(file, false)) return false;
  if (!RenameOver(file, state_->target)) {
    SetDeleteOnClose(file, true);  // and if not, the destructor deletes it by name
    return false;
  }
  state_->temporary.clear();
  // The rename is in the file system's log only; flushing the file again
  // commits the log with it, as MOVEFILE_WRITE_THROUGH would.
  const bool flushed = ::FlushFileBuffers(file) != 0;
  state_->file.reset();
  return flushed;
}

}  // namespace platform
