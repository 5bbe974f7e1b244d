// One conversion: check the paths, read the source, write the machine list file.
#pragma once

#include <filesystem>
#include <optional>

#include "conversion/conversion_host.h"
#include "core/conversion_context.h"
#include "core/diskless_type.h"
#include "core/machine_list.h"

// Tells its outcome only through host; calls host.EndDialogOk() after the file
// was written. The paths are used as given, byte for byte. "生成成功!" comes
// with the report (ReportText) as its detail.
void ConvertMachineList(DisklessType type, const std::filesystem::path& sourcePath,
                        const std::filesystem::path& outputPath, const ConversionContext& context,
                        ConversionHost& host);

// Reads the source as a conversion of the type reads it and gives the machines
// the file would get, in its order; writes nothing. When the source cannot be
// read, shows through host the message a conversion shows and gives nothing.
[[nodiscard]] std::optional<MachineList> ReadMachineList(DisklessType type,
                                                         const std::filesystem::path& sourcePath,
                                                         const ConversionContext& context,
                                                         ConversionHost& host);
