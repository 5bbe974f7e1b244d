// The XML model's one error: a null handle used or a query it cannot answer.
#pragma once

#include "core/source_error.h"

// It leaves the reader, and the run ends without writing.
class XmlError : public SourceError {
 public:
  using SourceError::SourceError;
};
