// The entry layout and the atomic write of the machine list file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "core/machine_list_file.h"
#include "platform/code_page.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

std::size_t FileCount(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

std::unique_ptr<platform::CodePage> OpenCodePage(unsigned number) {
  std::unique_ptr<platform::CodePage> codePage = platform::CodePage::Open(number);
  if (!codePage) throw std::runtime_error("no code page " + std::to_string(number));
  return codePage;
}

MachineList OneMachine(std::u16string_view mac, std::u16string_view ip = u"1",
                       std::u16string_view name = u"N") {
  MachineList machines;
  machines.Add(mac, ip, name);
  return machines;
}

TEST(AppendMachineEntry, LaysOutTheDocumentedBytes) {
  std::u16string output;
  AppendMachineEntry(output, {u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021"});
  EXPECT_EQ(output, u"[00:E0:4C:12:3A:BC]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
}

TEST(AppendMachineEntry, KeepsOrderDuplicatesAndUnescapedValues) {
  std::u16string output;
  AppendMachineEntry(output, {u"AA", u"1", u"x"});
  AppendMachineEntry(output, {u"AA", u"", u"a]b=[c\td\ne"});
  EXPECT_EQ(output,
            u"[AA]\t\nIPAddr=1\t\nName=x\t\n"
            u"[AA]\t\nIPAddr=\t\nName=a]b=[c\td\ne\t\n");
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

TEST_F(WriteMachineListFileTest, WritesThe54ByteExample) {
  ASSERT_EQ(Write(target, OneMachine(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021")),
            WriteResult::Written);
  const std::string bytes = ReadFileBytes(target);
  EXPECT_EQ(bytes.size(), 54u);
  EXPECT_EQ(bytes, "[00:E0:4C:12:3A:BC]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST_F(WriteMachineListFileTest, ZeroEntriesGiveAnEmptyFileAndReplaceAnEarlierOne) {
  WriteFileBytes(target, "earlier list");
  ASSERT_EQ(Write(target, MachineList()), WriteResult::Written);
  EXPECT_EQ(ReadFileBytes(target), "");
}

TEST_F(WriteMachineListFileTest, WritesChineseInCodePage936WithReplacements) {
  ASSERT_EQ(Write(target, OneMachine(u"AA", u"1", u"\u7f51\u5427\U0001F600")),
            WriteResult::Written);
  EXPECT_EQ(ReadFileBytes(target), "[AA]\t\nIPAddr=1\t\nName=\xCD\xF8\xB0\xC9??\t\n");
}

TEST_F(WriteMachineListFileTest, ALongTextIsConvertedWholeAcrossPieceBoundaries) {
  // Surrogate pairs and Chinese characters at every offset around the pieces
  // in which the list is converted; under UTF-8 a split pair would turn into
  // two replacement characters.
  const struct {
    unsigned codePage;
    std::string bytes;
  } cases[] = {{936, "a??\xCD\xF8"}, {platform::kUtf8CodePage, "a\xF0\x9F\x98\x80\xE7\xBD\x91"}};
  for (const auto& c : cases) {
    std::u16string name;
    std::string expectedName;
    while (name.size() < (3u << 20)) {
      name += u"a\U0001F600\u7f51";
      expectedName += c.bytes;
    }
    MachineList machines;
    std::string expected;
    for (int shift = 0; shift < 3; ++shift) {
      machines.Add(u"AA", u"1", std::u16string(shift, u'x') + name);
      expected += "[AA]\t\nIPAddr=1\t\nName=" + std::string(shift, 'x') + expectedName + "\t\n";
    }
    EXPECT_EQ(WriteMachineListFile(target, machines, *OpenCodePage(c.codePage)), WriteResult::Written);
    EXPECT_TRUE(ReadFileBytes(target) == expected) << c.codePage;
  }
}

TEST_F(WriteMachineListFileTest, CannotCreateLeavesEverythingAsItWas) {
  const fs::path folderTarget = dir / "a-folder";
  fs::create_directory(folderTarget);
  const fs::path readOnlyFolder = dir / "read-only";
  fs::create_directory(readOnlyFolder);
  WriteFileBytes(readOnlyFolder / "computer.ONC", "earlier");
  fs::permissions(readOnlyFolder, fs::perms::owner_read | fs::perms::owner_exec);
  const bool runningAsRoot = ::geteuid() == 0;

  const std::pair<fs::path, bool> cases[] = {
      {dir / "missing-folder" / "computer.ONC", true},
      {folderTarget, true},
      {readOnlyFolder / "computer.ONC", !runningAsRoot},  // root writes anywhere
  };
  for (const auto& [path, applies] : cases) {
    if (!applies) continue;
    EXPECT_EQ(Write(path, OneMachine(u"AA")), WriteResult::CreateFailed) << path;
  }
  EXPECT_TRUE(fs::is_directory(folderTarget));
  EXPECT_EQ(ReadFileBytes(readOnlyFolder / "computer.ONC"), "earlier");
  EXPECT_FALSE(fs::exists(dir / "missing-folder"));
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
