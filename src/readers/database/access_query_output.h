// What zembrix-access-query writes to its parent, gathered into pieces of a
// useful size before they go out.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "readers/database/access_row_stream.h"

class AccessQueryOutput {
 public:
  // Writes all the bytes, or reports false when they cannot go (the parent is gone).
  using Sink = std::function<bool(std::string_view bytes)>;

  static constexpr std::size_t kPieceSize = std::size_t{1} << 16;

  explicit AccessQueryOutput(Sink sink, std::size_t pieceSize = kPieceSize);

  // False when the output is lost; there is then no point in going on.
  [[nodiscard]] bool Row(const AccessRow& row);
  [[nodiscard]] bool End();
  // Ends the output with the error, its trailing blanks and line ends left
  // off, and gives the exit status of a failed query.
  [[nodiscard]] int Fail(std::string_view message);

 private:
  bool Flush();

  Sink sink_;
  std::size_t pieceSize_;
  std::string pending_;
};
