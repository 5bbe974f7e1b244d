// Showing run messages in boxes owned by the main dialog.
#include "ui/dialog_host.h"

#include <QDialog>
#include <QString>

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void DialogHost::ShowMessage(Message message, std::string_view) {
  prompts_.ShowMessage(&dialog_, FromUtf8(kMessageCaption), FromUtf8(MessageText(message)));
}

void DialogHost::EndDialogOk() { dialog_.accept(); }
