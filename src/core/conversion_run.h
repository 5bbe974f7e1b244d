// One conversion: check the paths, read the source, write the machine list file.
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

// Tells its outcome only through host; calls host.EndDialogOk() after the file
// was written.
void ConvertMachineList(DisklessType type, const std::u16string& sourcePath,
                        const std::u16string& outputPath, ConversionHost& host);
