// The command line's host: messages go to stderr, one line each.
#pragma once

#include <cstdio>

#include "conversion/conversion_host.h"

class StderrHost final : public ConversionHost {
 public:
  explicit StderrHost(std::FILE* stream = stderr) : stream_(stream) {}

  void ShowMessage(Message message, std::string_view detail = {}) override;
  void EndDialogOk() override { written_ = true; }

  bool written() const { return written_; }

 private:
  std::FILE* stream_;
  bool written_ = false;
};
