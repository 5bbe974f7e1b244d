// 网维 ClientConfig.xml sources: machines as ClientConfig elements with child values (type 11).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadClientConfigSource(DisklessType type, const std::u16string& sourcePath,
                                          std::u16string& output, ConversionHost& host);
