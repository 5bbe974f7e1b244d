// Buffered text-mode line reading over a file descriptor.
#include "readers/text/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

bool LineReader::Fill() {
  for (;;) {
    const ssize_t count = ::read(fd_, buffer_.data(), buffer_.size());
    if (count < 0 && errno == EINTR) continue;
    begin_ = 0;
    end_ = count > 0 ? static_cast<std::size_t>(count) : 0;
    return count > 0;
  }
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
