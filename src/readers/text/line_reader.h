// Reading a file line by line in text mode, in pieces of bounded size: LF ends
// a line and takes a CR right before it along.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/source_file.h"

// Some bytes of the current line, and whether they are its last.
struct LinePiece {
  std::string_view bytes;
  bool endsLine = false;
};

class LineReader {
 public:
  explicit LineReader(platform::SourceFile& file, std::size_t bufferSize = std::size_t{1} << 16)
      : file_(file), buffer_(bufferSize) {}

  // The next piece of the current line, never holding its LF or the CR right
  // before it. A line longer than the buffer comes in several pieces; the last
  // piece of every line ends it (and may be empty). After a final LF one more,
  // empty line follows. The bytes stay valid until the next call. False once
  // the file is used up or a read failed.
  [[nodiscard]] bool Next(LinePiece& piece);

  // True when the reading ended because a read failed.
  [[nodiscard]] bool failed() const { return failed_; }

 private:
  bool Fill();

  platform::SourceFile& file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool heldCr_ = false;  // a CR ended the buffer: whether it goes with an LF is not known yet
  bool finished_ = false;
  bool failed_ = false;
};
