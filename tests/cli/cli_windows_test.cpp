// zembrix-cli's contract where it rests on Windows: paths are the arguments'
// wide text, whatever the ANSI code page holds; device names are no files;
// paths may be longer than MAX_PATH.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "conversion/source_types.h"
#include "core/messages.h"
#include "platform/path_text.h"
#include "platform/windows/long_path.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "support/type_test_name.h"

namespace {

namespace fs = std::filesystem;

// Listed by the system itself: MinGW's directory_iterator stops at MAX_PATH.
std::set<fs::path> NamesIn(const fs::path& folder) {
  std::set<fs::path> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(platform::LongPath(folder / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot list " << folder << ": error " << ::GetLastError();
    return names;
  }
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") names.insert(found.cFileName);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
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

// Windows opens a device for these names in any folder and with any
// extension. The run writes neither to the device nor a file of that name.
TEST(CliConvert, AnOutputNamingADeviceIsNoFileToCreate) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "PC021 192.168.0.21 00e04c123abc\n");
  for (const char* device : {"CON", "NUL", "COM1", "AUX.ONC"}) {
    for (const fs::path& output : {fs::path(device), dir / device}) {
      const CliResult result = RunZembrixCli(
          {"convert", "--type", "lvhua", "--output", platform::PathText(output), "list.txt"},
          dir.path());
      EXPECT_EQ(result.status, 1) << output;
      EXPECT_EQ(result.err, std::string(MessageText(Message::CreateFileFailed)) + "\n") << output;
      EXPECT_EQ(NamesIn(dir.path()), std::set<fs::path>{"list.txt"}) << output;
    }
  }
}

// Folders of up to 100 characters under `folder`, then `name`: a path of
// exactly `length` characters.
fs::path PathOfLength(fs::path folder, const fs::path& name, std::size_t length) {
  const std::size_t fixed = folder.native().size() + 1 + name.native().size();
  if (fixed > length) throw std::logic_error("the scratch folder's path is too long");
  for (std::size_t left = length - fixed; left > 0;) {
    // Each folder takes its name and one backslash; none is left one short.
    std::size_t size = std::min<std::size_t>(100, left - 1);
    if (left - (size + 1) == 1) --size;
    folder /= std::wstring(size, L'd');
    left -= size + 1;
  }
  fs::create_directories(folder);
  return folder / name;
}

class EveryTypeOnWindows : public testing::TestWithParam<SourceTypeInfo> {};

// Past MAX_PATH (260), which Windows enforces unless the program says it is
// long-path aware and the system allows it, or the path is in the \\?\ form.
TEST_P(EveryTypeOnWindows, PathsOf316CharactersConvert) {
  constexpr std::size_t kLength = 316;
  const std::vector<fs::path> examples = ExampleSources(GetParam().slug);
  ASSERT_FALSE(examples.empty());
  ScratchDir dir;
  const fs::path source = PathOfLength(dir / "sources", examples.front().filename(), kLength);
  const fs::path output = PathOfLength(dir / "outputs", "computer.ONC", kLength);
  ASSERT_EQ(source.native().size(), kLength);
  ASSERT_EQ(output.native().size(), kLength);
  fs::copy_file(examples.front(), source);
  const CliResult result =
      RunZembrixCli({"convert", "--type", std::string(GetParam().slug), "--output",
                     platform::PathText(output), platform::PathText(source)});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.substr(0, result.err.find('\n')), MessageText(Message::Success));
  EXPECT_EQ(ReadFileBytes(output), ReadFileBytes(ExampleOutput(GetParam().slug)));
  EXPECT_EQ(NamesIn(output.parent_path()), std::set<fs::path>{"computer.ONC"});
}

// The Access type hands its database to the driver by name, and neither the
// Access driver nor Wine's GetFinalPathNameByHandleW goes past MAX_PATH.
std::vector<SourceTypeInfo> TypesNotReadThroughODBC() {
  std::vector<SourceTypeInfo> types;
  for (const SourceTypeInfo& row : SourceTypes()) {
    if (!std::holds_alternative<AccessLayout>(row.settings)) types.push_back(row);
  }
  return types;
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryTypeOnWindows, testing::ValuesIn(TypesNotReadThroughODBC()),
                         TypeTestName);

}  // namespace
