// Sources kept in a profile (INI) file, one section per machine (types 3, 4, 10, 14).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadIniSource(DisklessType type, const std::u16string& sourcePath,
                                 std::u16string& output, ConversionHost& host);
