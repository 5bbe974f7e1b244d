// A conversion host that remembers what the run showed, for assertions.
#pragma once

#include <string>
#include <vector>

#include "conversion/conversion_host.h"

class RecordingHost final : public ConversionHost {
 public:
  void ShowMessage(Message message, std::string_view detail = {}) override {
    messages.push_back(message);
    details.emplace_back(detail);
  }
  void EndDialogOk() override { ++endedOk; }

  std::vector<Message> messages;
  std::vector<std::string> details;
  int endedOk = 0;
};
