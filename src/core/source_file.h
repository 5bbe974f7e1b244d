// Opening and reading source files: regular files only, never blocking.
#pragma once

#include <optional>
#include <string>

#include "core/conversion_host.h"
#include "core/messages.h"
#include "core/unique_fd.h"

// The largest file read whole into memory: its size must fit 32 bits.
inline constexpr long long kMaxWholeFileSize = 0xFFFFFFFFLL;

// The file-system path for a path as the user typed it.
[[nodiscard]] std::string NativePath(const std::u16string& path);

// Opens a regular file for reading. A folder, FIFO, device, missing file or a
// symbolic link loop gives an empty UniqueFd; opening a FIFO does not wait.
[[nodiscard]] UniqueFd OpenSourceFile(const std::u16string& path);

// Reads all bytes from fd's current position to the end.
[[nodiscard]] std::optional<std::string> ReadAllBytes(int fd);

// The whole source file, or nothing when it cannot be opened or read, or is
// too large for a 32-bit size (no source of these systems comes near that).
[[nodiscard]] std::optional<std::string> ReadSourceBytes(const std::u16string& path);

struct WholeFileMessages {
  Message openFailed;
  Message sizeFailed;
  Message readFailed;
};

// The whole file for readers that report each failing step with its own
// message: open, empty or too large a file, short read. The string's c_str() ends in NUL.
[[nodiscard]] std::optional<std::string> ReadWholeSourceFile(const std::u16string& path,
                                                             const WholeFileMessages& messages,
                                                             ConversionHost& host);
