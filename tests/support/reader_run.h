// Running one reader on bytes written to a scratch file, and the entries it should give.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/diskless_type.h"
#include "core/messages.h"
#include "core/read_outcome.h"

// One entry exactly as the machine list file lays it out.
[[nodiscard]] std::u16string Entry(std::u16string_view mac, std::u16string_view ip,
                                   std::u16string_view name);

// Every machine's entry, in order, as the file would hold them before encoding.
[[nodiscard]] std::u16string EntriesOf(const MachineList& machines);

struct ReaderRun {
  bool write = false;             // the reader read the source: the run would write
  std::u16string output;          // the entries of the machines it read
  std::vector<Message> messages;  // the failure's message, when it failed
  std::vector<std::string> details;
  SkippedRecords skipped;
};

// What the type's reader makes of an outcome, in the terms above.
[[nodiscard]] ReaderRun RunOf(const ReadOutcome& outcome);

// Writes bytes to a scratch file named fileName and reads it with the type's
// reader in the given ANSI code page.
[[nodiscard]] ReaderRun ReadBytesAs(DisklessType type, std::string_view bytes,
                                    const std::string& fileName = "source",
                                    unsigned codePage = 936);

// Reads an existing file with the type's reader.
[[nodiscard]] ReaderRun ReadFileAs(DisklessType type, const std::filesystem::path& source,
                                   unsigned codePage = 936);
