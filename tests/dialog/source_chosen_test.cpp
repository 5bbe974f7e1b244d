// A chosen source file: the type the dialog selects and the line it shows.
#include "dialog/source_chosen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

using T = DisklessType;

int PositionOf(DisklessType type) { return static_cast<int>(IndexOf(type)); }

struct SelectCase {
  const char* what;
  std::optional<DisklessType> selected;
  std::vector<DetectedType> found;
  std::optional<DisklessType> expected;
};

TEST(TypeToSelect, SwitchesOnlyWhenTheSelectedTypeFindsNoMachineAndAnotherDoes) {
  const SelectCase cases[] = {
      {"selected type is the best", T::Kuaiba, {{T::Kuaiba, 3}}, std::nullopt},
      {"selected type finds machines, if not the most likely", T::Xinyou,
       {{T::Shunwupan, 3}, {T::Xinyou, 2}}, std::nullopt},
      {"selected type cannot read it", T::Ald, {{T::Kuaiba, 3}}, T::Kuaiba},
      {"selected type finds no machine", T::KuaibaLvcha, {{T::Kuaiba, 3}, {T::KuaibaLvcha, 0}},
       T::Kuaiba},
      {"no type finds a machine", T::Ald, {{T::Kuaiba, 0}}, std::nullopt},
      {"no type reads it", T::Ald, {}, std::nullopt},
      {"nothing selected", std::nullopt, {{T::Pxd, 1}}, T::Pxd},
  };
  for (const SelectCase& c : cases) {
    EXPECT_EQ(TypeToSelect(c.selected, c.found), c.expected) << c.what;
  }
}

TEST(RecognizedTypeLine, NamesTheTypeAsTheListShowsIt) {
  EXPECT_EQ(RecognizedTypeLine(T::Kuaiba), "已识别为：快吧");
  EXPECT_EQ(RecognizedTypeLine(T::Ald), "已识别为：ALD");
}

fs::path Example(const char* relative) {
  return fs::path(ZEMBRIX_SOURCE_DIR) / "examples" / fs::path(std::u8string(
      reinterpret_cast<const char8_t*>(relative)));
}

struct ChosenCase {
  const char* what;
  int position;
  fs::path source;
  int expectedPosition;
  std::string expectedLine;
};

TEST(OnSourceChosen, SelectsTheTypeThatReadsTheFileAndSaysSo) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty-kb.xml", "<KB><wks></wks></KB>");
  const ChosenCase cases[] = {
      {"the first type, the default selection, and a 快吧 file", 0, Example("kuaiba/KB.XML"),
       PositionOf(T::Kuaiba), "已识别为：快吧"},
      {"nothing selected", -1, Example("i8/i8无盘macsb.xml"), PositionOf(T::I8), "已识别为：I8"},
      {"a type finding no machine in a database", PositionOf(T::Vhd),
       Example("yiyou/diskless.db"), PositionOf(T::Yiyou), "已识别为：易游"},
      {"the right type already selected", PositionOf(T::Kuaiba), Example("kuaiba/KB.XML"),
       PositionOf(T::Kuaiba), ""},
      {"a file no type finds a machine in", PositionOf(T::Ald), dir / "empty-kb.xml",
       PositionOf(T::Ald), ""},
      {"a missing file", PositionOf(T::Ald), dir / "missing.xml", PositionOf(T::Ald), ""},
      {"an empty field", PositionOf(T::Ald), fs::path(), PositionOf(T::Ald), ""},
  };
  for (const ChosenCase& c : cases) {
    const SourceChoice choice = OnSourceChosen(c.position, c.source);
    EXPECT_EQ(choice.typePosition, c.expectedPosition) << c.what;
    EXPECT_EQ(choice.line, c.expectedLine) << c.what;
  }
}

}  // namespace
