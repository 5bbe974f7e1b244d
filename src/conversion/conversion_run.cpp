// The conversion run: the only place that talks to the host.
#include "conversion/conversion_run.h"

#include <exception>

#include "conversion/source_types.h"
#include "core/machine_list_file.h"
#include "core/source_error.h"

namespace {

ReadOutcome ReadType(const SourceTypeInfo& row, const std::filesystem::path& sourcePath,
                     const ConversionContext& context) {
  try {
    return ReadWithSettings({sourcePath, context, row.messages}, row.settings);
  } catch (const SourceError& error) {
    // A reader left by an error in the source that it did not handle.
    return ReadOutcome::Failed(Message::SourceFormatInvalid, error.what());
  } catch (const std::exception& error) {
    return ReadOutcome::Failed(Message::SourceFormatInvalid, error.what());
  }
}

Message MessageOf(WriteResult result) {
  switch (result) {
    case WriteResult::Written:
      return Message::Success;
    case WriteResult::CreateFailed:
      return Message::CreateFileFailed;
    case WriteResult::WriteFailed:
      break;
  }
  return Message::WriteFileFailed;
}

}  // namespace

void ConvertMachineList(DisklessType type, const std::filesystem::path& sourcePath,
                        const std::filesystem::path& outputPath, const ConversionContext& context,
                        ConversionHost& host) {
  if (outputPath.empty() || sourcePath.empty()) {
    host.ShowMessage(Message::PathEmpty);
    return;
  }
  const ReadOutcome outcome = ReadType(SourceTypeOf(type), sourcePath, context);
  if (outcome.failure) {
    host.ShowMessage(outcome.failure->message, outcome.failure->detail);
    return;
  }
  const WriteResult written = WriteMachineListFile(outputPath, outcome.machines, context.ansi());
  host.ShowMessage(MessageOf(written));
  if (written == WriteResult::Written) host.EndDialogOk();
}
