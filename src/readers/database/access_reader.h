// The Access database source (type 12, the computer table of Data.mdb).
#pragma once

#include <chrono>
#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

// How long one Access read may take before it counts as failed.
inline constexpr std::chrono::milliseconds kAccessReadTimeLimit{10000};

[[nodiscard]] bool ReadAccessSource(DisklessType type, const std::u16string& sourcePath,
                                    std::u16string& output, ConversionHost& host);
