// Buffered text-mode line reading over a source file.
#include "readers/text/line_reader.h"

#include <cstring>

bool LineReader::Fill() {
  const std::optional<std::size_t> count = file_.Read(buffer_.data(), buffer_.size());
  begin_ = 0;
  end_ = count.value_or(0);
  return end_ > 0;
}

bool LineReader::Next(std::string& line) {
  if (finished_) return false;
  line.clear();
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      finished_ = true;  // the last line, which no LF ended
      return true;
    }
    const char* start = buffer_.data() + begin_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    if (!lf) {
      line.append(start, end_ - begin_);
      begin_ = end_;
      continue;
    }
    line.append(start, static_cast<std::size_t>(lf - start));
    begin_ += static_cast<std::size_t>(lf - start) + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
}
