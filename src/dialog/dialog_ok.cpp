// Running a conversion from the dialog's fields, its outcome shown in boxes.
#include "dialog/dialog_ok.h"

#include <optional>

#include "conversion/conversion_run.h"
#include "dialog/type_list.h"

namespace {

class DialogHost final : public ConversionHost {
 public:
  explicit DialogHost(DialogWindow& window) : window_(window) {}

  // The detail is for the command line; the dialog's box holds the message alone.
  void ShowMessage(Message message, std::string_view) override {
    window_.ShowMessageBox(kMessageCaption, MessageText(message));
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
