// Whole-file reads through the platform's source file.
#include "core/source_bytes.h"

std::optional<std::string> ReadAllBytes(platform::SourceFile& file) {
  std::string bytes;
  if (const auto size = file.Size(); size && *size <= kMaxWholeFileSize) {
    bytes.reserve(static_cast<std::size_t>(*size));
  }
  char chunk[1 << 16];
  for (;;) {
    const std::optional<std::size_t> count = file.Read(chunk, sizeof chunk);
    if (!count) return std::nullopt;
    if (*count == 0) return bytes;
    bytes.append(chunk, *count);
  }
}

std::optional<std::string> ReadSourceBytes(const std::filesystem::path& path) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(path);
  if (!file) return std::nullopt;
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size > kMaxWholeFileSize) return std::nullopt;
  return ReadAllBytes(*file);
}

WholeSourceFile ReadWholeSourceFile(const std::filesystem::path& path,
                                    const SourceMessages& messages) {
  const auto failed = [](Message message) {
    return WholeSourceFile{{}, ReadFailure{message, {}}};
  };
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(path);
  if (!file) return failed(messages.openFailed);
  // The size is a 32-bit count in these sources' own systems: a file that does
  // not fit it is refused rather than read with a wrong size.
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size == 0 || *size > kMaxWholeFileSize) return failed(messages.sizeFailed);
  WholeSourceFile whole;
  whole.bytes.resize(static_cast<std::size_t>(*size));
  std::size_t done = 0;
  while (done < whole.bytes.size()) {
    const std::optional<std::size_t> count =
        file->Read(whole.bytes.data() + done, whole.bytes.size() - done);
    if (!count || *count == 0) return failed(messages.readFailed);
    done += *count;
  }
  return whole;
}
