// The conversion run: the only place that talks to the host.
#include "conversion/conversion_run.h"

#include <exception>
#include <new>
#include <stdexcept>

#include "conversion/source_types.h"
#include "core/machine_list_file.h"
#include "core/one_line_detail.h"
#include "core/source_error.h"
#include "platform/file_system.h"

namespace {

ReadOutcome ReadType(const SourceTypeInfo& row, const std::filesystem::path& sourcePath,
                     const ConversionContext& context) {
  try {
    return ReadWithSettings({sourcePath, context, row.messages}, row.settings);
  } catch (const std::bad_alloc&) {
    throw;  // not the source's fault: the run says so
  } catch (const std::length_error&) {
    throw std::bad_alloc();  // a size beyond what memory can hold
  } catch (const SourceError& error) {
    // A reader left by an error in the source that it did not handle.
    return ReadOutcome::Failed(Message::SourceFormatInvalid, error.what());
  } catch (const std::exception& error) {
    // A library that read the source gave up in a way of its own.
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

// Reads, then writes; gives the message that ends the run and its detail.
ReadFailure Convert(DisklessType type, const std::filesystem::path& sourcePath,
                    const std::filesystem::path& outputPath, const ConversionContext& context) {
  const ReadOutcome outcome = ReadType(SourceTypeOf(type), sourcePath, context);
  if (outcome.failure) return *outcome.failure;
  return {MessageOf(WriteMachineListFile(outputPath, outcome.machines, context.ansi())), {}};
}

}  // namespace

void ConvertMachineList(DisklessType type, const std::filesystem::path& sourcePath,
                        const std::filesystem::path& outputPath, const ConversionContext& context,
                        ConversionHost& host) {
  if (outputPath.empty() || sourcePath.empty()) {
    host.ShowMessage(Message::PathEmpty);
    return;
  }
  // Writing the list over its own source would lose the source.
  if (platform::IsSameFile(sourcePath, outputPath)) {
    host.ShowMessage(Message::OutputIsSource);
    return;
  }
  ReadFailure end{Message::OutOfMemory, {}};
  try {
    end = Convert(type, sourcePath, outputPath, context);
  } catch (const std::bad_alloc&) {
    // Everything the run held is released by now, the temporary file included.
  }
  host.ShowMessage(end.message, OneLineDetail(end.detail));
  if (end.message == Message::Success) host.EndDialogOk();
}
