// An error in the source's content that leaves a reader: the run shows
// "源文件格式不正确!" with these words beneath.
#pragma once

#include <stdexcept>

class SourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
