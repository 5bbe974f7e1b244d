// Reading a file line by line in text mode: LF and CR LF end a line.
#pragma once

#include <string>
#include <vector>

#include "platform/source_file.h"

class LineReader {
 public:
  explicit LineReader(platform::SourceFile& file) : file_(file) {}

  // The next line without its LF (and a CR right before it). After a final
  // LF one more, empty line follows. False once the file is used up or a read
  // failed.
  [[nodiscard]] bool Next(std::string& line);

 private:
  bool Fill();

  platform::SourceFile& file_;
  std::vector<char> buffer_ = std::vector<char>(1 << 16);
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool finished_ = false;
};
