// The conversion run: the only place that talks to the host.
#include "conversion/conversion_run.h"

#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "conversion/source_read.h"
#include "conversion/source_types.h"
#include "core/conversion_report.h"
#include "core/machine_list_file.h"
#include "core/one_line_detail.h"
#include "core/source_error.h"
#include "platform/file_system.h"

namespace {

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
  const ReadOutcome outcome = ReadSourceAs(SourceTypeOf(type), sourcePath, context);
  if (outcome.failure) return *outcome.failure;
  // Counted before the write: running out of memory afterwards would call a
  // written list a failure.
  std::string report = ReportText(ReportOn(outcome));
  const WriteResult result = WriteMachineListFile(outputPath, outcome.machines, context.ansi());
  if (result != WriteResult::Written) return {MessageOf(result), {}};
  return {Message::Success, std::move(report)};
}

void ShowEnd(ConversionHost& host, const ReadFailure& end) {
  host.ShowMessage(end.message, OneLineDetail(end.detail));
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
  ShowEnd(host, end);
  if (end.message == Message::Success) host.EndDialogOk();
}

std::optional<MachineList> ReadMachineList(DisklessType type,
                                           const std::filesystem::path& sourcePath,
                                           const ConversionContext& context,
                                           ConversionHost& host) {
  if (sourcePath.empty()) {
    host.ShowMessage(Message::PathEmpty);
    return std::nullopt;
  }
  ReadFailure end{Message::OutOfMemory, {}};
  try {
    ReadOutcome outcome = ReadSourceAs(SourceTypeOf(type), sourcePath, context);
    if (!outcome.failure) return std::move(outcome.machines);
    end = std::move(*outcome.failure);
  } catch (const std::bad_alloc&) {
    // Whatever the read held is released by now.
  }
  ShowEnd(host, end);
  return std::nullopt;
}
