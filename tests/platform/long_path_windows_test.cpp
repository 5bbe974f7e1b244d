// The long form file calls get for absolute paths on Windows, and what keeps
// its old meaning: relative paths, device names, paths in a system form.
#include "platform/windows/long_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LongPathCase {
  const wchar_t* path;
  std::wstring expected;  // empty: the path as it is
};

const LongPathCase kCases[] = {
    {L"C:\\lists\\computer.ONC", L"\\\\?\\C:\\lists\\computer.ONC"},
    {L"c:/lists/./old/../computer.ONC", L"\\\\?\\c:\\lists\\computer.ONC"},
    // The system drops a name's trailing dots and spaces; so must the long form.
    {L"C:\\lists\\computer.ONC. ", L"\\\\?\\C:\\lists\\computer.ONC"},
    {L"\\\\server\\share\\computer.ONC", L"\\\\?\\UNC\\server\\share\\computer.ONC"},
    {L"//server/share/computer.ONC", L"\\\\?\\UNC\\server\\share\\computer.ONC"},
    {L"computer.ONC", {}},
    {L"lists\\computer.ONC", {}},
    {L"..\\computer.ONC", {}},
    {L"C:computer.ONC", {}},
    {L"\\lists\\computer.ONC", {}},
    {L"CON", {}},
    {L"C:\\lists\\CON", {}},
    {L"C:\\lists\\nul", {}},
    {L"C:\\lists\\COM1", {}},
    {L"C:\\lists\\AUX.ONC", {}},
    {L"\\\\?\\C:\\lists\\computer.ONC", {}},
    {L"\\\\?\\C:\\lists\\CON", {}},
    {L"\\\\?\\UNC\\server\\share\\computer.ONC", {}},
    {L"\\\\.\\NUL", {}},
    {L"\\\\.\\pipe\\zembrix", {}},
};

TEST(LongPath, AbsolutePathsTakeTheLongFormAndNothingElseChanges) {
  for (const LongPathCase& c : kCases) {
    const std::wstring expected = c.expected.empty() ? std::wstring(c.path) : c.expected;
    EXPECT_EQ(platform::LongPath(c.path), expected) << testing::PrintToString(std::wstring(c.path));
  }
}

// Past MAX_PATH, which is where the long form is needed.
TEST(LongPath, APathPastMaxPathKeepsEveryCharacter) {
  std::wstring path = L"C:\\lists";
  while (path.size() < 400) path += L"\\" + std::wstring(50, L'a');
  path += L"\\computer.ONC";
  EXPECT_EQ(platform::LongPath(path), L"\\\\?\\" + path);
  EXPECT_EQ(platform::LongPath(L"\\\\server\\share" + path.substr(2)),
            L"\\\\?\\UNC\\server\\share" + path.substr(2));
}

}  // namespace
