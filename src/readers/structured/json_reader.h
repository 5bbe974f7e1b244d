// 信佑6's JSON machine list: the array "macList" (type 16).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadJsonSource(DisklessType type, const std::u16string& sourcePath,
                                  std::u16string& output, ConversionHost& host);
