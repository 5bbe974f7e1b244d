// The machine list file: entry layout, the run's output text, and writing it.
#pragma once

#include <string>
#include <string_view>

#include "core/conversion_host.h"

// One machine as a reader hands it over; nothing is checked.
struct MachineEntry {
  std::u16string_view mac;
  std::u16string_view ip;
  std::u16string_view name;
};

// Appends "[MAC]\t\nIPAddr=IP\t\nName=NAME\t\n", the values unchanged.
void AppendMachineEntry(std::u16string& output, std::u16string_view mac, std::u16string_view ip,
                        std::u16string_view name);
void AppendMachineEntry(std::u16string& output, const MachineEntry& entry);

// Writes the output text in the ANSI code page, replacing the file at
// outputPath only once the whole text is on disk, and shows the outcome.
// Gives true when the file was written.
[[nodiscard]] bool WriteMachineListFile(const std::u16string& outputPath,
                                        std::u16string_view output, ConversionHost& host);
