// The machine list file: the entry layout, and writing the file.
#pragma once

#include <filesystem>
#include <string>

#include "core/machine_list.h"
#include "platform/code_page.h"

// Appends "[MAC]\t\nIPAddr=IP\t\nName=NAME\t\n", the values as the machine
// list holds them (no line break of their own). The one place that knows the
// layout.
void AppendMachineEntry(std::u16string& text, const MachineEntry& entry);

enum class WriteResult { Written, CreateFailed, WriteFailed };

// Writes every machine's entry in the code page, replacing the file at
// outputPath only once the whole list is on disk.
[[nodiscard]] WriteResult WriteMachineListFile(const std::filesystem::path& outputPath,
                                               const MachineList& machines,
                                               const platform::CodePage& codePage);
