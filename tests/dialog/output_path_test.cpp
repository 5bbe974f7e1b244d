// The output path built from a picked folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialog/output_path.h"

namespace {

namespace fs = std::filesystem;

TEST(MachineListPathInFolder, AddsOneSeparatorUnlessThereIsOne) {
  const std::pair<fs::path, fs::path> cases[] = {
      {u8"/media/客户机/", u8"/media/客户机/computer.ONC"},
      {"/", "/computer.ONC"},
      {"//", "//computer.ONC"},
#ifdef _WIN32
      {"", "\\computer.ONC"},
      {"relative", "relative\\computer.ONC"},
      {"D:/out/", "D:/out/computer.ONC"},
      {u8"C:\\导出", u8"C:\\导出\\computer.ONC"},
      {"C:\\", "C:\\computer.ONC"},
      {"C:", "C:\\computer.ONC"},
      {"\\\\server\\share", "\\\\server\\share\\computer.ONC"},
#else
      {u8"/home/netbar/导出", u8"/home/netbar/导出/computer.ONC"},
      {"relative", "relative/computer.ONC"},
      {"", "/computer.ONC"},
      {"/srv/a\\", "/srv/a\\/computer.ONC"},
#endif
  };
  for (const auto& [folder, expected] : cases) {
    EXPECT_EQ(MachineListPathInFolder(folder).native(), expected.native()) << folder;
  }
}

}  // namespace
