// Running a conversion from the dialog's fields, its outcome shown in boxes.
#include "dialog/dialog_ok.h"

#include <optional>
#include <string>

#include "conversion/conversion_run.h"
#include "dialog/type_list.h"

namespace {

class DialogHost final : public ConversionHost {
 public:
  explicit DialogHost(DialogWindow& window) : window_(window) {}

  // A failure's detail is for the command line: its box holds the message
  // alone. A success's detail is the report, shown below the message.
  void ShowMessage(Message message, std::string_view detail) override {
    std::string text(MessageText(message));
    if (message == Message::Success && !detail.empty()) text.append("\n").append(detail);
    window_.ShowMessageBox(kMessageCaption, text);
  }
  void EndDialogOk() override { window_.EndDialogOk(); }

 private:
  DialogWindow& window_;
};

}  // namespace

void OnDialogOk(const DialogFields& fields, DialogWindow& window) {
  const std::optional<DisklessType> type = TypeAtPosition(fields.typePosition);
  if (!type) return;
  DialogHost host(window);
  ConvertMachineList(*type, fields.source, fields.output, ConversionContext::Default(), host);
}
