// The conversion run.
#include "core/conversion_run.h"

#include <exception>

#include "core/machine_list_file.h"
#include "core/source_types.h"

void ConvertMachineList(DisklessType type, const std::u16string& sourcePath,
                        const std::u16string& outputPath, ConversionHost& host) {
  std::u16string output;
  if (outputPath.empty() || sourcePath.empty()) {
    host.ShowMessage(Message::PathEmpty);
    return;
  }
  const SourceReader reader = SourceTypeOf(type).reader;
  bool write = false;
  try {
    write = reader(type, sourcePath, output, host);
  } catch (const std::exception& error) {
    // A reader left by an error it did not handle: the source could not be
    // understood. Nothing is written and the program goes on.
    host.ShowMessage(Message::SourceFormatInvalid, error.what());
    return;
  }
  if (!write) return;
  if (WriteMachineListFile(outputPath, output, host)) host.EndDialogOk();
}
