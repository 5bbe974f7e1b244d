// One conversion: check the paths, read the source, write the machine list file.
#pragma once

#include <filesystem>

#include "conversion/conversion_host.h"
#include "core/conversion_context.h"
#include "core/diskless_type.h"

// Tells its outcome only through host; calls host.EndDialogOk() after the file
// was written. The paths are used as given, byte for byte.
void ConvertMachineList(DisklessType type, const std::filesystem::path& sourcePath,
                        const std::filesystem::path& outputPath, const ConversionContext& context,
                        ConversionHost& host);
