// One read of a source with one type's reader, as every caller needs it.
#include "conversion/source_read.h"

#include <exception>
#include <new>
#include <stdexcept>

#include "core/source_error.h"

ReadOutcome ReadSourceAs(const SourceTypeInfo& row, const std::filesystem::path& sourcePath,
                         const ConversionContext& context) {
  try {
    return ReadWithSettings({sourcePath, context, row.messages}, row.settings);
  } catch (const std::bad_alloc&) {
    throw;  // not the source's fault: the run says so
  } catch (const std::length_error&) {
    throw std::bad_alloc();  // a size beyond what memory can hold
  } catch (const SourceError& error) {
    // A reader left by an error in the source that it did not handle.
    return ReadOutcome::Failed(Message::SourceFormatInvalid, error.what());
  } catch (const std::exception& error) {
    // A library that read the source gave up in a way of its own.
    return ReadOutcome::Failed(Message::SourceFormatInvalid, error.what());
  }
}
