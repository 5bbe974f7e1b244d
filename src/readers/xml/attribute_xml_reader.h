// Sources that hold each machine in the attributes of one element (types 5, 6, 8, 9).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadAttributeXmlSource(DisklessType type, const std::u16string& sourcePath,
                                          std::u16string& output, ConversionHost& host);
