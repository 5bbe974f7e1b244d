// The one signature every source reader has.
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

// Reads the source at sourcePath, appends one entry per accepted machine to
// output and shows its own failure messages through host. Gives true when the
// run is to write the machine list file, false when it is to end without it.
// Readers serving one type ignore `type`.
using SourceReader = bool (*)(DisklessType type, const std::u16string& sourcePath,
                              std::u16string& output, ConversionHost& host);
