// The machine list file where it rests on Windows: read-only files and files
// that another program holds open.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/machine_list_file_fixture.h"
#include "platform/windows/unique_handle.h"

namespace machine_list_file_tests {
namespace {

using platform::UniqueHandle;

constexpr char kEarlier[] = "[EARLIER]\t\nIPAddr=1.2.3.4\t\nName=OLD\t\n";

TEST_F(WriteMachineListFileTest, AReadOnlyFileIsNotReplaced) {
  WriteFileBytes(target, kEarlier);
  fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(Write(target, OneMachine(u"AA")), WriteResult::CreateFailed);
  EXPECT_EQ(ReadFileBytes(target), kEarlier);
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

// Another program has the earlier file open. Without any sharing it cannot be
// opened for writing at all; sharing all but deletion, the new file cannot
// take its place. Either way the earlier file stays and no temporary is left.
TEST_F(WriteMachineListFileTest, AFileHeldOpenElsewhereIsLeftAsItWas) {
  const struct {
    DWORD sharing;
    WriteResult result;
  } cases[] = {
      {0, WriteResult::CreateFailed},
      {FILE_SHARE_READ | FILE_SHARE_WRITE, WriteResult::WriteFailed},
  };
  for (const auto& c : cases) {
    WriteFileBytes(target, kEarlier);
    {
      const UniqueHandle held(::CreateFileW(target.c_str(), GENERIC_READ, c.sharing, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(held);
      EXPECT_EQ(Write(target, OneMachine(u"AA")), c.result) << c.sharing;
    }
    EXPECT_EQ(ReadFileBytes(target), kEarlier) << c.sharing;
    EXPECT_EQ(FileCount(dir.path()), 1u) << c.sharing;
  }
}

}  // namespace
}  // namespace machine_list_file_tests
