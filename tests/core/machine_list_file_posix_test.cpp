// The machine list file where it rests on POSIX: folder permissions, a file
// size limit, file modes and symbolic links.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "core/machine_list_file_fixture.h"

namespace machine_list_file_tests {
namespace {

TEST_F(WriteMachineListFileTest, AFolderThatMayNotBeWrittenIsLeftAsItWas) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  const fs::path readOnlyFolder = dir / "read-only";
  fs::create_directory(readOnlyFolder);
  WriteFileBytes(readOnlyFolder / "computer.ONC", "earlier");
  fs::permissions(readOnlyFolder, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(Write(readOnlyFolder / "computer.ONC", OneMachine(u"AA")), WriteResult::CreateFailed);
  EXPECT_EQ(ReadFileBytes(readOnlyFolder / "computer.ONC"), "earlier");
}

TEST_F(WriteMachineListFileTest, AFailedWriteKeepsTheEarlierFileAndLeavesNoTemporary) {
  const std::string earlier = "[EARLIER]\t\nIPAddr=1.2.3.4\t\nName=OLD\t\n";
  WriteFileBytes(target, earlier);
  MachineList machines;
  for (int i = 0; i < 2000; ++i) machines.Add(u"00:11:22:33:44:55", u"10.0.0.1", u"PC");

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(Write(target, machines) == WriteResult::WriteFailed ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should fail with its message";
  EXPECT_EQ(ReadFileBytes(target), earlier);
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST_F(WriteMachineListFileTest, KeepsTheModeOfTheFileItReplaces) {
  WriteFileBytes(target, "x");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(Write(target, OneMachine(u"y")), WriteResult::Written);
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(WriteMachineListFileTest, WritesThroughASymbolicLink) {
  const fs::path real = dir / "real.ONC";
  WriteFileBytes(real, "old");
  fs::create_symlink(real, target);
  ASSERT_EQ(Write(target, OneMachine(u"new")), WriteResult::Written);
  EXPECT_TRUE(fs::is_symlink(target));
  EXPECT_EQ(ReadFileBytes(real), "[new]\t\nIPAddr=1\t\nName=N\t\n");
}

}  // namespace
}  // namespace machine_list_file_tests
