// Reading scratch sources with a type's reader.
#include "support/reader_run.h"

#include <stdexcept>

#include "conversion/source_types.h"
#include "core/machine_list_file.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

std::u16string Entry(std::u16string_view mac, std::u16string_view ip, std::u16string_view name) {
  std::u16string text;
  AppendMachineEntry(text, MachineEntry{mac, ip, name});
  return text;
}

std::u16string EntriesOf(const MachineList& machines) {
  std::u16string text;
  for (const MachineEntry& entry : machines) AppendMachineEntry(text, entry);
  return text;
}

ReaderRun RunOf(const ReadOutcome& outcome) {
  ReaderRun run;
  run.write = !outcome.failure;
  run.output = EntriesOf(outcome.machines);
  if (outcome.failure) {
    run.messages.push_back(outcome.failure->message);
    run.details.push_back(outcome.failure->detail);
  }
  run.skipped = outcome.skipped;
  return run;
}

ReaderRun ReadFileAs(DisklessType type, const std::filesystem::path& source, unsigned codePage) {
  const std::optional<ConversionContext> context = ConversionContext::ForCodePage(codePage);
  if (!context) throw std::runtime_error("no code page " + std::to_string(codePage));
  const SourceTypeInfo& row = SourceTypeOf(type);
  return RunOf(ReadWithSettings({source, *context, row.messages}, row.settings));
}

ReaderRun ReadBytesAs(DisklessType type, std::string_view bytes, const std::string& fileName,
                      unsigned codePage) {
  ScratchDir dir;
  WriteFileBytes(dir / fileName, bytes);
  return ReadFileAs(type, dir / fileName, codePage);
}
