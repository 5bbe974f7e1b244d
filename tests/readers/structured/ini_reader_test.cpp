// The INI reader for types 3, 4, 10 and 14.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "readers/structured/ini_reader.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using T = DisklessType;

struct IniCase {
  const char* what;
  DisklessType type;
  std::string bytes;
  std::u16string expected;
  std::size_t skipped = 0;  // sections lacking a value the type requires
};

void PrintTo(const IniCase& c, std::ostream* os) { *os << c.what; }

class IniReadTest : public testing::TestWithParam<IniCase> {};

TEST_P(IniReadTest, AppendsTheAcceptedSections) {
  const ReaderRun run = ReadBytesAs(GetParam().type, GetParam().bytes, "source.ini");
  EXPECT_TRUE(run.write);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.skipped.Count(SkipReason::LackingValue), GetParam().skipped);
  EXPECT_EQ(run.skipped.Total(), GetParam().skipped);
}

INSTANTIATE_TEST_SUITE_P(
    Types, IniReadTest,
    testing::Values(
        IniCase{"ruiqi_example", T::Ruiqi, "[00e04c123abc]\nIpAddr=192.168.0.21\nWksName=pc021\n",
                Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021")},
        IniCase{"ruiqi_missing_keys_still_give_an_entry", T::Ruiqi, "[aa]\n[bb]\nipaddr=1\n",
                Entry(u"AA", u"", u"") + Entry(u"BB", u"1", u"")},
        IniCase{"ruiqi_mac_paired_blindly", T::Ruiqi, "[abc]\n[00-E0-4C-12-3A-BC]\n",
                Entry(u"AB:C", u"", u"") + Entry(u"00:-E:0-:4C:-1:2-:3A:-B:C", u"", u"")},
        IniCase{"ruiqi_ip_as_stored", T::Ruiqi, "[aa]\nIpAddr=ip-x.y\n", Entry(u"AA", u"ip-x.y", u"")},
        IniCase{"mzd_needs_all_three", T::Mzd,
                "[1]\nMAC=aa\nWksIP=1\nComName=a\n"
                "[2]\nWksIP=2\nComName=b\n"
                "[3]\nMAC=cc\nComName=c\n"
                "[4]\nMAC=dd\nWksIP=4\n"
                "[5]\nMAC=ee\nWksIP=5\nComName=\n"
                "[6]\nmac=\"ffgg\"\nwksip=6\ncomname=f\n",
                Entry(u"AA", u"1", u"A") + Entry(u"FF:GG", u"6", u"F"), 4},
        IniCase{"obm_needs_all_three", T::Obm,
                "[x]\nMAC=00e04c123abc\nIPAddr=192.168.0.21\nWksName=pc021\n"
                "[y]\nMAC=aa\nIPAddr=2\nWksName=\n"
                "[z]\nMAC=\nIPAddr=3\nWksName=c\n",
                Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021"), 2},
        IniCase{"wangzhong_mac_as_stored_name_from_section", T::Wangzhong,
                "[pc021]\nMAC=00-e0-4c-12-3a-bc\nIP=192.168.0.21\n"
                "[pc022]\nMAC=aa\n"
                "[pc023]\nIP=3\n",
                Entry(u"00-E0-4C-12-3A-BC", u"192.168.0.21", u"PC021"), 2},
        IniCase{"gbk_names_unchanged", T::Obm,
                "[1]\nMAC=aa\nIPAddr=1\nWksName=\xCD\xF8\xB0\xC9pc\n",
                Entry(u"AA", u"1", u"\u7F51\u5427PC")},
        IniCase{"wangzhong_gbk_section_name", T::Wangzhong,
                "[\xCD\xF8\xB0\xC9" "a]\nMAC=aa\nIP=1\n", Entry(u"AA", u"1", u"\u7F51\u5427A")},
        IniCase{"duplicate_sections_read_the_first", T::Ruiqi,
                "[aa]\nIpAddr=1\n[AA]\nIpAddr=2\nWksName=x\n",
                Entry(u"AA", u"1", u"") + Entry(u"AA", u"1", u"")},
        IniCase{"last_section_without_line_end", T::Ruiqi, "[aa]\n[bb]\r\nWksName=b",
                Entry(u"AA", u"", u"") + Entry(u"BB", u"", u"B")},
        IniCase{"no_sections", T::Mzd, "MAC=aa\nWksIP=1\nComName=a\n", u""},
        IniCase{"empty_file", T::Wangzhong, "", u""}),
    [](const testing::TestParamInfo<IniCase>& info) { return std::string(info.param.what); });

TEST(IniSource, UnopenableSourceIsNoSuccess) {
  ScratchDir dir;
  for (const DisklessType type : {T::Ruiqi, T::Mzd, T::Obm, T::Wangzhong}) {
    for (const fs::path& source : {dir / "missing.ini", dir.path()}) {
      const ReaderRun run = ReadFileAs(type, source);
      EXPECT_FALSE(run.write);
      EXPECT_EQ(run.messages, std::vector{Message::OpenSourceFailed});
      EXPECT_TRUE(run.output.empty());
    }
  }
}

// Sections whose names with their NULs take exactly `length` characters, each
// with every key that any of the four types needs.
std::string SectionsOfListLength(std::size_t length, std::size_t& sections) {
  std::string text;
  sections = 0;
  while (length > 0) {
    const std::size_t nameLength = length >= 15 ? 12 : length - 1;
    char number[16];
    std::snprintf(number, sizeof number, "%012zx", sections);
    const std::string name = nameLength == 12 ? number : std::string(nameLength, 'z');
    text += "[" + name + "]\nMAC=aa\nIPAddr=1\nIP=1\nWksIP=1\nWksName=n\nComName=n\n";
    length -= nameLength + 1;
    ++sections;
  }
  return text;
}

std::size_t EntryCount(std::u16string_view output) {
  std::size_t count = 0;
  for (std::size_t at = output.find(u"\nIPAddr="); at != std::u16string_view::npos;
       at = output.find(u"\nIPAddr=", at + 1)) {
    ++count;
  }
  return count;
}

TEST(IniSource, TheSectionListMustStayBelowItsBufferLessTwo) {
  struct Threshold {
    DisklessType type;
    std::size_t capacity;
  };
  for (const auto& [type, capacity] : {Threshold{T::Ruiqi, 5200}, Threshold{T::Mzd, 5200},
                                       Threshold{T::Obm, 10400}, Threshold{T::Wangzhong, 10400}}) {
    for (const std::size_t length : {capacity - 3, capacity - 2, capacity + 100}) {
      ScratchDir dir;
      std::size_t sections = 0;
      WriteFileBytes(dir / "source.ini", SectionsOfListLength(length, sections));
      const ReaderRun run = ReadFileAs(type, dir / "source.ini");
      const bool fits = length < capacity - 2;
      EXPECT_EQ(run.write, fits) << IndexOf(type) << " " << length;
      if (fits) {
        EXPECT_TRUE(run.messages.empty());
        EXPECT_EQ(EntryCount(run.output), sections);
      } else {
        EXPECT_EQ(run.messages, std::vector{Message::BufferTooSmall});
        EXPECT_TRUE(run.output.empty());
      }
    }
  }
}

TEST(IniSource, TypesWithTheLargerListReadNamesBeyondTheSmallerOne) {
  for (const DisklessType type : {T::Obm, T::Wangzhong}) {
    ScratchDir dir;
    std::size_t sections = 0;
    std::string text = SectionsOfListLength(6000, sections);
    text += "[last]\nMAC=00e04c123abc\nIPAddr=9\nIP=9\nWksName=last\n";
    WriteFileBytes(dir / "source.ini", text);
    const ReaderRun run = ReadFileAs(type, dir / "source.ini");
    ASSERT_TRUE(run.write);
    EXPECT_TRUE(run.output.ends_with(type == T::Obm ? Entry(u"00:E0:4C:12:3A:BC", u"9", u"LAST")
                                                    : Entry(u"00E04C123ABC", u"9", u"LAST")));
    EXPECT_EQ(EntryCount(run.output), sections + 1);
  }
}

TEST(IniSource, Utf16AndUtf8FilesAreRead) {
  const std::u16string text = u"[\u7F51\u5427]\r\nMAC=aa\r\nIP=1\r\n";
  std::string utf16le = "\xFF\xFE";
  for (const char16_t c : text) {
    utf16le.push_back(static_cast<char>(c & 0xFF));
    utf16le.push_back(static_cast<char>(c >> 8));
  }
  const std::string utf8 = "\xEF\xBB\xBF[\xE7\xBD\x91\xE5\x90\xA7]\r\nMAC=aa\r\nIP=1\r\n";
  for (const std::string& bytes : {utf16le, utf8}) {
    ScratchDir dir;
    WriteFileBytes(dir / "qlboot.ini", bytes);
    const ReaderRun run = ReadFileAs(T::Wangzhong, dir / "qlboot.ini");
    ASSERT_TRUE(run.write);
    EXPECT_EQ(run.output, Entry(u"AA", u"1", u"\u7F51\u5427"));
  }
}

}  // namespace
