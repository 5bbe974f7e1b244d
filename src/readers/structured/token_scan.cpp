// The token scanner over bytes that come in pieces.
#include "readers/structured/token_scan.h"

namespace {

// The colon is no delimiter: between two quoted strings it is a token of its own.
constexpr std::string_view kDelimiters = " \t{\"[,\r\n]}";

constexpr std::array<bool, 256> MakeDelimiterTable() {
  std::array<bool, 256> table{};
  for (char c : kDelimiters) table[static_cast<unsigned char>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kIsDelimiter = MakeDelimiterTable();

bool IsDelimiter(char byte) { return kIsDelimiter[static_cast<unsigned char>(byte)]; }

}  // namespace

TokenScanner::TokenScanner(const platform::CodePage& ansi) {
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (byte == 0) {
      kinds_[byte] = ByteKind::Nul;
    } else if (kIsDelimiter[byte]) {
      kinds_[byte] = ByteKind::Delimiter;
    } else if (ansi.IsLeadByte(static_cast<unsigned char>(byte))) {
      kinds_[byte] = ByteKind::Lead;
    }
  }
}

void TokenScanner::Feed(std::string_view piece) {
  piece_ = ended_ ? std::string_view() : piece;
  position_ = 0;
}

void TokenScanner::Finish() {
  piece_ = {};
  position_ = 0;
  ended_ = true;
}

bool TokenScanner::Next(std::string& token) {
  if (ended_) return GiveCarried(token, {});
  const std::size_t size = piece_.size();
  std::size_t i = position_;
  // A carried token goes on with the piece's first byte, whatever it is.
  if (carried_.empty()) {
    while (i < size && IsDelimiter(piece_[i])) ++i;
  }
  const std::size_t start = i;
  const auto kindAt = [&](std::size_t at) {
    return kinds_[static_cast<unsigned char>(piece_[at])];
  };
  // A lead byte takes the next byte with it, whatever it is but NUL.
  bool trailDue = trailDue_;
  for (;;) {
    if (trailDue) {
      if (i == size) break;
      if (piece_[i] == '\0') break;
      trailDue = false;
      ++i;
    }
    while (i < size && kindAt(i) == ByteKind::Plain) ++i;
    if (i == size || kindAt(i) != ByteKind::Lead) break;
    trailDue = true;
    ++i;
  }
  position_ = i;
  const std::string_view run = piece_.substr(start, i - start);
  if (i == size) {
    // The piece ends inside a token or before one starts.
    carried_.append(run);
    trailDue_ = trailDue;
    return false;
  }
  trailDue_ = false;
  if (piece_[i] == '\0') ended_ = true;  // a lead byte before it stands alone
  if (!carried_.empty()) return GiveCarried(token, run);
  if (run.empty()) return false;
  token.assign(run);
  return true;
}

bool TokenScanner::GiveCarried(std::string& token, std::string_view run) {
  if (carried_.empty()) {
    if (run.empty()) return false;
    token.assign(run);
    return true;
  }
  carried_.append(run);
  // The caller's string takes the bytes; its old room holds the next carried token.
  token.swap(carried_);
  carried_.clear();
  return true;
}
