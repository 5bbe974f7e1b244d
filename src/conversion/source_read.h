// Reading a source with one type's reader.
#pragma once

#include <filesystem>

#include "conversion/source_types.h"
#include "core/conversion_context.h"
#include "core/read_outcome.h"

// The reader's outcome; an error a reader or its library throws becomes the
// failure "源文件格式不正确!" with its words as the detail. Running out of
// memory (or asking for more than memory holds) throws std::bad_alloc.
[[nodiscard]] ReadOutcome ReadSourceAs(const SourceTypeInfo& row,
                                       const std::filesystem::path& sourcePath,
                                       const ConversionContext& context);
