// Browse filters as Qt name filters, and the folder rule of the output path.
#include <gtest/gtest.h>

#include "conversion/source_types.h"
#include "ui/name_filters.h"
#include "ui/output_path.h"

namespace {

TEST(NameFiltersFromBrowseFilter, OneEntryPerPairWithWindowsMatchingKept) {
  const struct {
    const char* browseFilter;
    QStringList expected;
  } cases[] = {
      {"文件(*.txt)|*.txt|文件(*.json)|*.json| All Files (*.*)|*.*||",
       {"文件(*.txt) (*.txt)", "文件(*.json) (*.json)", " All Files (*.*) (*)"}},
      {"文件(wsk.dat)|wsk.dat|All Files (*.*)|*.*||", {"文件(wsk.dat) (wsk.dat)", "All Files (*.*) (*)"}},
      {"文件(顺无盘.clt)|*.clt|All Files (*.*)|*.*||", {"文件(顺无盘.clt) (*.clt)", "All Files (*.*) (*)"}},
      {"Pictures|*.png;*.jpg||", {"Pictures (*.png *.jpg)"}},
      {"Nothing after the end|*.a||ignored|*.b", {"Nothing after the end (*.a)"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameFiltersFromBrowseFilter(c.browseFilter), c.expected) << c.browseFilter;
  }
}

// Qt reads the patterns from the last parentheses; a description that has
// parentheses of its own must not take their place.
TEST(NameFiltersFromBrowseFilter, EveryTypeEndsWithItsPatternsInParentheses) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    const QStringList filters = NameFiltersFromBrowseFilter(row.browseFilter);
    ASSERT_GE(filters.size(), 2) << row.slug;
    EXPECT_TRUE(filters.last().endsWith(QStringLiteral("(*.*) (*)"))) << row.slug;
  }
}

TEST(MachineListPathInFolder, AddsOneSlashUnlessThereIsOne) {
  const std::pair<QString, QString> cases[] = {
      {"/home/netbar/out", "/home/netbar/out/computer.ONC"},
      {"/", "/computer.ONC"},
      {"/media/客户机/", "/media/客户机/computer.ONC"},
  };
  for (const auto& [folder, expected] : cases) {
    EXPECT_EQ(MachineListPathInFolder(folder), expected) << folder.toStdString();
  }
}

}  // namespace
