// zembrix-cli's contract where it rests on Windows: paths are the arguments'
// wide text, whatever the ANSI code page holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/path_text.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

std::set<fs::path> NamesIn(const fs::path& folder) {
  std::set<fs::path> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename());
  }
  return names;
}

// Neither name can be written in code page 936 (nor any other ANSI code
// page): a program that took its arguments as ANSI text would get "?" for them.
TEST(CliConvert, PathsOutsideTheAnsiCodePageAreUsedAsTheyAre) {
  const fs::path source = u8"列表\U0001F600\u0416\u01C5.txt";
  const fs::path output = u8"输出\U0001F600\u0E01.ONC";
  ScratchDir dir;
  WriteFileBytes(dir.path() / source, "PC021 192.168.0.21 00e04c123abc\n");
  const CliResult result = RunZembrixCli(
      {"convert", "--type", "lvhua", "--output", platform::PathText(output),
       platform::PathText(source)},
      dir.path());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "生成成功!\n已写入 1 台机器\n");
  EXPECT_EQ(NamesIn(dir.path()), (std::set<fs::path>{source, output}));
  EXPECT_EQ(ReadFileBytes(dir.path() / output),
            "[00e04c123abc]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
}

}  // namespace
