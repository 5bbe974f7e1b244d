// I8 sources: machines as Computer elements below Collections (type 2).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadComputerCollectionSource(DisklessType type,
                                                const std::u16string& sourcePath,
                                                std::u16string& output, ConversionHost& host);
