// The conversion run.
#include "core/conversion_run.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>

#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "core/source_types.h"

namespace {

// No source type's list takes more code units than twice its source's bytes.
// Reserving that much keeps a growing text from being copied (and held twice)
// as it grows; pages never written take no memory.
void ReserveForSource(std::u16string& output, const std::u16string& sourcePath) {
  constexpr std::uintmax_t kMostUnits = std::uintmax_t{1} << 29;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(NativePath(sourcePath), error);
  if (!error) output.reserve(static_cast<std::size_t>(std::min(size * 2, kMostUnits)));
}

}  // namespace

void ConvertMachineList(DisklessType type, const std::u16string& sourcePath,
                        const std::u16string& outputPath, ConversionHost& host) {
  std::u16string output;
  if (outputPath.empty() || sourcePath.empty()) {
    host.ShowMessage(Message::PathEmpty);
    return;
  }
  const SourceReader reader = SourceTypeOf(type).reader;
  ReserveForSource(output, sourcePath);
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
