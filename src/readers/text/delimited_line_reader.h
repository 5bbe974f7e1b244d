// Sources that hold one machine per line of delimited text (types 15, 17, 21).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadDelimitedLineSource(DisklessType type, const std::u16string& sourcePath,
                                           std::u16string& output, ConversionHost& host);
