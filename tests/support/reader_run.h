// Running one reader on bytes written to a scratch file, and the entries it should give.
#pragma once

#include <string>
#include <string_view>

#include "core/diskless_type.h"
#include "core/machine_list_file.h"
#include "support/recording_host.h"

// One entry exactly as the reader appends it to the output text.
inline std::u16string Entry(std::u16string_view mac, std::u16string_view ip,
                            std::u16string_view name) {
  std::u16string text;
  AppendMachineEntry(text, mac, ip, name);
  return text;
}

struct ReaderRun {
  bool write = false;  // what the reader gave back
  std::u16string output;
  RecordingHost host;
};

// Writes bytes to a scratch file named fileName and reads it with the type's reader.
[[nodiscard]] ReaderRun ReadBytesAs(DisklessType type, std::string_view bytes,
                                    const std::string& fileName = "source");
