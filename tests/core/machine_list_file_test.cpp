// The entry layout and the atomic write of the machine list file.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "core/machine_list_file_fixture.h"

namespace machine_list_file_tests {
namespace {

TEST(AppendMachineEntry, LaysOutTheDocumentedBytes) {
  std::u16string output;
  AppendMachineEntry(output, {u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021"});
  EXPECT_EQ(output, u"[00:E0:4C:12:3A:BC]\t\nIPAddr=192.168.0.21\t\nName=PC021\t\n");
}

TEST(AppendMachineEntry, KeepsOrderDuplicatesAndUnescapedValues) {
  std::u16string output;
  AppendMachineEntry(output, {u"AA", u"1", u"x"});
  AppendMachineEntry(output, {u"AA", u"", u"a]b=[c\td"});
  EXPECT_EQ(output,
            u"[AA]\t\nIPAddr=1\t\nName=x\t\n"
            u"[AA]\t\nIPAddr=\t\nName=a]b=[c\td\t\n");
}

// A line break in any value would let the source write lines of its own: a
// machine of its making, or another IPAddr= for the machine before.
TEST_F(WriteMachineListFileTest, NoValueStartsALineOfItsOwn) {
  MachineList machines;
  machines.Add(u"AA\n[66:66:66:66:66:66]", u"1.1.1.1\r\nIPAddr=6.6.6.6", u"pc1\rName=EVIL");
  ASSERT_EQ(Write(target, machines), WriteResult::Written);
  EXPECT_EQ(ReadFileBytes(target),
            "[AA [66:66:66:66:66:66]]\t\nIPAddr=1.1.1.1  IPAddr=6.6.6.6\t\nName=pc1 Name=EVIL\t\n");
}

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

TEST_F(WriteMachineListFileTest, AsciiEntriesAmongOthersKeepTheirPlaceAndBytes) {
  const struct {
    unsigned codePage;
    std::string chinese;
  } cases[] = {{936, "\xCD\xF8"}, {platform::kUtf8CodePage, "\xE7\xBD\x91"}};
  for (const auto& c : cases) {
    MachineList machines;
    std::string expected;
    // Enough entries for several pieces, with runs of each kind of every length up to 3.
    for (int i = 0; i < 20000; ++i) {
      const bool chinese = i % 7 == 1 || i % 7 == 3 || i % 7 == 4;
      const std::string number = std::to_string(i);
      const std::u16string wide(number.begin(), number.end());
      machines.Add(u"AA" + wide, u"10.0.0.1", chinese ? u"\u7f51" + wide : u"PC" + wide);
      expected += "[AA" + number + "]\t\nIPAddr=10.0.0.1\t\nName=" +
                  (chinese ? c.chinese : std::string("PC")) + number + "\t\n";
    }
    ASSERT_EQ(WriteMachineListFile(target, machines, *OpenCodePage(c.codePage)),
              WriteResult::Written);
    EXPECT_TRUE(ReadFileBytes(target) == expected) << c.codePage;
  }
}

// Writes ASCII as ASCII but "a" as "b": no entry may skip it.
class ShiftedA final : public platform::CodePage {
 public:
  unsigned number() const override { return 1; }
  bool IsLeadByte(unsigned char) const override { return false; }
  std::u16string Decode(std::string_view) const override { return {}; }
  std::string Encode(std::u16string_view text) const override {
    std::string bytes;
    for (const char16_t c : text) bytes += c == u'a' ? 'b' : c < 0x80 ? static_cast<char>(c) : '?';
    return bytes;
  }
};

TEST_F(WriteMachineListFileTest, ACodePageThatWritesAsciiOtherwiseConvertsEveryEntry) {
  MachineList machines;
  machines.Add(u"aa", u"1", u"pa");
  machines.Add(u"aa", u"1", u"\u7f51a");
  ASSERT_EQ(WriteMachineListFile(target, machines, ShiftedA()), WriteResult::Written);
  EXPECT_EQ(ReadFileBytes(target),
            "[bb]\t\nIPAddr=1\t\nNbme=pb\t\n[bb]\t\nIPAddr=1\t\nNbme=?b\t\n");
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
  for (const fs::path& path : {dir / "missing-folder" / "computer.ONC", folderTarget}) {
    EXPECT_EQ(Write(path, OneMachine(u"AA")), WriteResult::CreateFailed) << path;
  }
  EXPECT_TRUE(fs::is_directory(folderTarget));
  EXPECT_FALSE(fs::exists(dir / "missing-folder"));
}

// Only a name the writer itself gives is taken for a leftover temporary file.
TEST_F(WriteMachineListFileTest, FilesThatOnlyLookLikeTemporaryOnesStay) {
  const char* const names[] = {".zembrix-", ".zembrix-abc", ".zembrix-abcde", ".zembrix-abcdefg",
                               ".zembrix-abcdef.txt", "x.zembrix-abcdef"};
  for (const char* name : names) WriteFileBytes(dir / name, name);
  ASSERT_EQ(Write(target, OneMachine(u"AA")), WriteResult::Written);
  for (const char* name : names) {
    EXPECT_TRUE(fs::exists(dir / name)) << name;
  }
  EXPECT_EQ(FileCount(dir.path()), std::size(names) + 1);
}

// Two conversions into one folder at once: each clears leftovers from the
// folder as it starts, and must never take the other's file for one.
TEST_F(WriteMachineListFileTest, TwoWritersInOneFolderLeaveEachOtherAlone) {
  std::atomic<int> failures{0};
  const auto writeMany = [&](const fs::path& path, std::u16string_view mac) {
    const std::unique_ptr<platform::CodePage> codePage = OpenCodePage(936);
    for (int i = 0; i < 1000; ++i) {
      if (WriteMachineListFile(path, OneMachine(mac), *codePage) != WriteResult::Written) {
        ++failures;
      }
    }
  };
  std::thread other(writeMany, dir / "other.ONC", u"BB");
  writeMany(target, u"AA");
  other.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(ReadFileBytes(target), "[AA]\t\nIPAddr=1\t\nName=N\t\n");
  EXPECT_EQ(FileCount(dir.path()), 2u);
}

}  // namespace
}  // namespace machine_list_file_tests
