// ALD's wsk.dat: fixed-size binary workstation records (type 0).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadAldSource(DisklessType type, const std::u16string& sourcePath,
                                 std::u16string& output, ConversionHost& host);
