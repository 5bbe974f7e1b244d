// Reading a source's name, size and first bytes for detection.
#include "core/source_head.h"

#include "platform/path_text.h"
#include "platform/source_file.h"

std::optional<SourceHead> ReadSourceHead(const std::filesystem::path& source) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(source);
  if (!file) return std::nullopt;
  const std::optional<std::uint64_t> size = file->Size();
  if (!size) return std::nullopt;
  SourceHead head;
  head.fileName = platform::PathText(source.filename());
  head.size = *size;
  head.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(*size, kSourceHeadSize)));
  std::size_t filled = 0;
  while (filled < head.bytes.size()) {
    const std::optional<std::size_t> count =
        file->Read(head.bytes.data() + filled, head.bytes.size() - filled);
    if (!count) return std::nullopt;
    if (*count == 0) break;
    filled += *count;
  }
  // A file that shrank while being looked at is judged by what it held.
  head.bytes.resize(filled);
  if (filled < kSourceHeadSize) head.size = filled;
  return head;
}
