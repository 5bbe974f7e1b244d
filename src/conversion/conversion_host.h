// What a conversion run may ask of whoever started it (dialog, command line, test).
#pragma once

#include <string_view>

#include "core/messages.h"

class ConversionHost {
 public:
  virtual ~ConversionHost() = default;

  // Shows one message and returns when the user has dismissed it. A failure's
  // detail is technical text (a library's words) that a host may show beneath
  // it or not; the detail of Message::Success is the report of what was
  // written (ReportText), for the user.
  virtual void ShowMessage(Message message, std::string_view detail = {}) = 0;

  // Ends the dialog with its OK result; called once, after a written file.
  virtual void EndDialogOk() = 0;
};
