// The lines of "zembrix-cli list": one machine a line, "MAC\tIP\tNAME\n" in UTF-8.
#pragma once

#include <string>

#include "core/machine_list.h"
#include "platform/code_page.h"

// Appends the machine's line. Each value is the one the machine list file
// holds, read back in the code page: a character the code page cannot write
// shows as the file has it ("?" or its best fit). A backslash and every
// control character are escaped ("\\", "\t", "\n", "\r", "\xNN"), so that a
// machine always keeps to one line of three fields.
void AppendMachineLine(std::string& lines, const MachineEntry& entry,
                       const platform::CodePage& codePage);
