// A source file opened for reading: regular files only, never blocking on open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace platform {

class SourceFile {
 public:
  // A folder, FIFO, device, missing file or link loop gives nothing; opening a
  // FIFO does not wait for its writer.
  [[nodiscard]] static std::optional<SourceFile> Open(const std::filesystem::path& path);

  SourceFile(SourceFile&&) noexcept;
  SourceFile& operator=(SourceFile&&) noexcept;
  ~SourceFile();

  // The size in bytes; nothing when the system cannot tell.
  [[nodiscard]] std::optional<std::uint64_t> Size() const;

  // Up to size bytes from the current position; 0 at the end, nothing on an error.
  [[nodiscard]] std::optional<std::size_t> Read(char* buffer, std::size_t size);

  // The system's handle, for handing the open file to a child process.
  [[nodiscard]] std::intptr_t NativeHandle() const;

 private:
  struct Handle;
  explicit SourceFile(std::unique_ptr<Handle> handle);
  std::unique_ptr<Handle> handle_;
};

}  // namespace platform
