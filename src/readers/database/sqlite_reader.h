// Sources kept in one table of an SQLite database (types 7, 13, 18, 19).
#pragma once

#include <string>

#include "core/conversion_host.h"
#include "core/diskless_type.h"

[[nodiscard]] bool ReadSqliteSource(DisklessType type, const std::u16string& sourcePath,
                                    std::u16string& output, ConversionHost& host);
