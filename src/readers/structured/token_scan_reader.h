// 顺无盘's *.clt client list, read by token positions around each "mac" (type 20).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadTokenScanSource(DisklessType type, const std::u16string& sourcePath,
                                       std::u16string& output, ConversionHost& host);
