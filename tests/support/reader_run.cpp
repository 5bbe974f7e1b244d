// Reading scratch sources with a type's reader.
#include "support/reader_run.h"

#include "core/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

ReaderRun ReadBytesAs(DisklessType type, std::string_view bytes, const std::string& fileName) {
  ScratchDir dir;
  WriteFileBytes(dir / fileName, bytes);
  ReaderRun run;
  run.write = SourceTypeOf(type).reader(type, WidePath(dir / fileName), run.output, run.host);
  return run;
}
