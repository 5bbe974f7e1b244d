// The token-scan reader: name, MAC and IP at fixed distances from a key token,
// the file read piece by piece with only the tokens from a name to its IP held.
#include "readers/structured/token_scan_reader.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "core/ansi_decoder.h"
#include "core/ascii.h"
#include "core/source_bytes.h"
#include "platform/source_file.h"
#include "readers/structured/token_scan.h"

namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 16;

// The last tokens scanned, by their index from the start of the file.
class TokenWindow {
 public:
  // Room for at least `size` tokens; a power of two, so that a slot is an index's low bits.
  explicit TokenWindow(std::size_t size) : tokens_(std::bit_ceil(size)) {}

  // Where the next token goes: it takes the place of the oldest.
  [[nodiscard]] std::string& Next() { return tokens_[Slot(newest_ + 1)]; }
  // The token Next gave is now the newest; gives its index.
  std::ptrdiff_t Advance() { return ++newest_; }

  [[nodiscard]] std::ptrdiff_t newest() const { return newest_; }
  // A token no more than size - 1 before the newest.
  [[nodiscard]] const std::string& at(std::ptrdiff_t index) const {
    return tokens_[Slot(index)];
  }

 private:
  [[nodiscard]] std::size_t Slot(std::ptrdiff_t index) const {
    return static_cast<std::size_t>(index) & (tokens_.size() - 1);
  }
  std::vector<std::string> tokens_;
  std::ptrdiff_t newest_ = -1;
};

// The source read in pieces, its size taken when it is opened as the
// whole-file readers do: no byte past it is read, and a read that fails or
// ends before it is a failed read.
class SizedSource {
 public:
  SizedSource(platform::SourceFile& file, std::uint64_t size) : file_(file), left_(size) {}

  // The next piece, empty at the end; nothing when a read failed.
  std::optional<std::string_view> Next() {
    if (left_ == 0) return std::string_view();
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left_, kPieceSize));
    const std::optional<std::size_t> count = file_.Read(buffer_.data(), wanted);
    if (!count || *count == 0) return std::nullopt;
    left_ -= *count;
    return std::string_view(buffer_.data(), *count);
  }

  // Reads what is left without looking at it: true when every read succeeds.
  bool ReadRest() {
    for (;;) {
      const std::optional<std::string_view> piece = Next();
      if (!piece) return false;
      if (piece->empty()) return true;
    }
  }

 private:
  platform::SourceFile& file_;
  std::uint64_t left_;
  std::vector<char> buffer_ = std::vector<char>(kPieceSize);
};

}  // namespace

ReadOutcome ReadTokenScanSource(const SourceRequest& request, const TokenScanLayout& layout) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
  if (!file) return ReadOutcome::Failed(request.messages.openFailed);
  // The size is a 32-bit count in the source's own system.
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size == 0 || *size > kMaxWholeFileSize) {
    return ReadOutcome::Failed(request.messages.sizeFailed);
  }
  SizedSource source(*file, *size);
  const platform::CodePage& ansi = request.context.ansi();
  const auto isKey = [&](std::string_view token) {
    return EqualsIgnoringAsciiCase(token, layout.keyToken);
  };
  // A read that fails anywhere in the file is told before a fault of the
  // content, as when the whole file was read first.
  const auto contentFailed = [&] {
    if (!source.ReadRest()) return ReadOutcome::Failed(request.messages.readFailed);
    return ReadOutcome::Failed(Message::ReadShunwupanContentFailed);
  };
  // Only the tokens from a key's name to its IP are held.
  TokenWindow window(static_cast<std::size_t>(layout.ipDistance - layout.nameDistance + 1));
  ReadOutcome outcome;
  TokenScanner scanner(ansi);
  const AnsiDecoder decoder(ansi);
  std::u16string name, mac, ip;  // reused from machine to machine
  while (!scanner.ended()) {
    const std::optional<std::string_view> piece = source.Next();
    if (!piece) return ReadOutcome::Failed(request.messages.readFailed);
    if (piece->empty()) {
      scanner.Finish();
    } else {
      scanner.Feed(*piece);
    }
    while (scanner.Next(window.Next())) {
      // The key whose tokens are all read now.
      const std::ptrdiff_t key = window.Advance() - layout.ipDistance;
      if (key < 0 || !isKey(window.at(key))) continue;
      if (key + layout.nameDistance < 0) return contentFailed();
      decoder.Decode(window.at(key + layout.macDistance), mac);
      decoder.Decode(window.at(key + layout.ipDistance), ip);
      decoder.Decode(window.at(key + layout.nameDistance), name);
      outcome.machines.Add(mac, ip, name);
    }
  }
  // A key among the last tokens lacks its IP.
  const std::ptrdiff_t newest = window.newest();
  for (std::ptrdiff_t key = std::max<std::ptrdiff_t>(0, newest - layout.ipDistance + 1);
       key <= newest; ++key) {
    if (isKey(window.at(key))) return contentFailed();
  }
  // Nothing after a NUL counts, but a read that fails there still fails the run.
  if (!source.ReadRest()) return ReadOutcome::Failed(request.messages.readFailed);
  return outcome;
}
