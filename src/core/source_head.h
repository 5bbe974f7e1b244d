// The little of a source that detection looks at before reading any of it
// in full: its name, its size and its first bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t kSourceHeadSize = std::size_t{1} << 16;

struct SourceHead {
  std::string fileName;  // as the path spells it, UTF-8 on Windows
  std::uint64_t size = 0;
  std::string bytes;  // the first kSourceHeadSize bytes, or all of them

  [[nodiscard]] bool whole() const { return bytes.size() == size; }
  // The bytes without a last line the head may have cut.
  [[nodiscard]] std::string_view wholeLines() const {
    const std::string_view all = bytes;
    return whole() ? all : all.substr(0, all.rfind('\n') + 1);
  }
};

// Nothing when the source cannot be opened or read as a regular file.
[[nodiscard]] std::optional<SourceHead> ReadSourceHead(const std::filesystem::path& source);
