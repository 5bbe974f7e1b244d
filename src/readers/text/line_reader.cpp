// Buffered text-mode line reading over a source file.
#include "readers/text/line_reader.h"

#include <cstring>

namespace {

constexpr std::string_view kCr = "\r";

}  // namespace

bool LineReader::Fill() {
  const std::optional<std::size_t> count = file_.Read(buffer_.data(), buffer_.size());
  if (!count) failed_ = true;
  begin_ = 0;
  end_ = count.value_or(0);
  return end_ > 0;
}

bool LineReader::Next(LinePiece& piece) {
  if (finished_) return false;
  if (begin_ == end_ && !Fill()) {
    finished_ = true;  // the last line, which no LF ended, keeps a CR at its end
    piece = {heldCr_ ? kCr : std::string_view(), true};
    heldCr_ = false;
    return true;
  }
  if (heldCr_) {
    heldCr_ = false;
    if (buffer_[begin_] == '\n') {
      ++begin_;
      piece = {{}, true};
    } else {
      piece = {kCr, false};
    }
    return true;
  }
  const char* start = buffer_.data() + begin_;
  const std::size_t available = end_ - begin_;
  if (const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available))) {
    std::size_t length = static_cast<std::size_t>(lf - start);
    begin_ += length + 1;
    if (length > 0 && start[length - 1] == '\r') --length;
    piece = {{start, length}, true};
    return true;
  }
  begin_ = end_;
  std::size_t length = available;
  if (start[length - 1] == '\r') {
    heldCr_ = true;
    --length;
  }
  piece = {{start, length}, false};
  return true;
}
