// CCBOOT db.XML sources: machines as children of server/initiator (type 1).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadInitiatorSource(DisklessType type, const std::u16string& sourcePath,
                                       std::u16string& output, ConversionHost& host);
