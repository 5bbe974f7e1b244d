// Printing run messages, with any detail on the lines after.
#include "cli/stderr_host.h"

#include <string>

#include "platform/console_text.h"

void StderrHost::ShowMessage(Message message, std::string_view detail) {
  std::string text(MessageText(message));
  text += '\n';
  if (!detail.empty()) {
    text += detail;
    if (text.back() != '\n') text += '\n';
  }
  // A message that cannot be written (stderr closed or full) is dropped: the
  // run goes on, and the exit status still says whether the list was written.
  platform::WriteText(stream_, text);
  std::fflush(stream_);
}
