// Showing run messages in boxes owned by the main dialog.
#include "ui/dialog_host.h"

#include <QDialog>

#include "ui/qstring_utf8.h"

void DialogHost::ShowMessage(Message message, std::string_view) {
  prompts_.ShowMessage(&dialog_, QStringFromUtf8(kMessageCaption),
                       QStringFromUtf8(MessageText(message)));
}

void DialogHost::EndDialogOk() { dialog_.accept(); }
