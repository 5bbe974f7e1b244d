// The fixture of the machine list file tests: a scratch folder, code page
// 936 and a target in the folder. Its tests live in one file per system they need.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/machine_list_file.h"
#include "platform/code_page.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace machine_list_file_tests {

namespace fs = std::filesystem;

inline std::size_t FileCount(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

inline std::unique_ptr<platform::CodePage> OpenCodePage(unsigned number) {
  std::unique_ptr<platform::CodePage> codePage = platform::CodePage::Open(number);
  if (!codePage) throw std::runtime_error("no code page " + std::to_string(number));
  return codePage;
}

inline MachineList OneMachine(std::u16string_view mac, std::u16string_view ip = u"1",
                              std::u16string_view name = u"N") {
  MachineList machines;
  machines.Add(mac, ip, name);
  return machines;
}

class WriteMachineListFileTest : public testing::Test {
 protected:
  WriteResult Write(const fs::path& path, const MachineList& machines) {
    return WriteMachineListFile(path, machines, *chinese);
  }

  ScratchDir dir;
  std::unique_ptr<platform::CodePage> chinese = OpenCodePage(936);
  fs::path target = dir / "computer.ONC";
};

}  // namespace machine_list_file_tests
