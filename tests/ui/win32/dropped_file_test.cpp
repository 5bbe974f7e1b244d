// Reading the one file of a shell drag.
#include "ui/win32/dropped_file.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "drop_files.h"

namespace {

TEST(TheOneDroppedFile, GivesTheFileOnlyWhenTheDragHoldsExactlyOne) {
  // Longer than MAX_PATH, as \\?\ paths and deep folders may be.
  const std::wstring deep = L"C:\\" + std::wstring(300, L'机') + L"\\KB.XML";
  const struct {
    const char* what;
    std::vector<std::wstring> files;
    std::optional<std::wstring> expected;
  } cases[] = {
      {"one file", {L"C:\\网吧\\KB.XML"}, L"C:\\网吧\\KB.XML"},
      {"one file with a path past MAX_PATH", {deep}, deep},
      {"two files", {L"C:\\a.txt", L"C:\\b.txt"}, std::nullopt},
      {"no file", {}, std::nullopt},
  };
  for (const auto& c : cases) {
    const HDROP drop = MakeDrop(c.files);
    EXPECT_EQ(TheOneDroppedFile(drop), c.expected) << c.what;
    DragFinish(drop);
  }
}

}  // namespace
