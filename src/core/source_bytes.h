// Reading a source file whole into memory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/read_outcome.h"
#include "core/source_request.h"
#include "platform/source_file.h"

// The largest file read whole into memory: its size must fit 32 bits.
inline constexpr std::uint64_t kMaxWholeFileSize = 0xFFFFFFFFULL;

// Reads all bytes from the file's current position to the end.
[[nodiscard]] std::optional<std::string> ReadAllBytes(platform::SourceFile& file);

// The whole source file, or nothing when it cannot be opened or read, or is
// too large for a 32-bit size (no source of these systems comes near that).
[[nodiscard]] std::optional<std::string> ReadSourceBytes(const std::filesystem::path& path);

struct WholeSourceFile {
  std::string bytes;                   // c_str() ends in NUL
  std::optional<ReadFailure> failure;  // set: bytes is empty
};

// The whole file for readers that tell each failing step with its own message:
// it cannot be opened; it is empty or too large; a read fails or comes short.
[[nodiscard]] WholeSourceFile ReadWholeSourceFile(const std::filesystem::path& path,
                                                  const SourceMessages& messages);
