// What a reader is handed: the source, the conversion's context and the
// messages its type shows when the source cannot be read.
#pragma once

#include <filesystem>

#include "core/conversion_context.h"
#include "core/messages.h"

struct SourceMessages {
  Message openFailed;  // the source cannot be opened as a regular file
  Message sizeFailed;  // it is empty where it must not be, or too large
  Message readFailed;  // a read failed, or the source's own library could not read it
};

struct SourceRequest {
  const std::filesystem::path& source;
  const ConversionContext& context;
  const SourceMessages& messages;
};
