// Browse filters as the open-file dialog's filter list.
#include <gtest/gtest.h>

#include <string>

#include "conversion/source_types.h"
#include "ui/win32/open_file_filter.h"

// Test output shows the texts, not the bytes.
void PrintTo(const FileTypeFilter& filter, std::ostream* out) {
  *out << testing::PrintToString(filter.description) << " "
       << testing::PrintToString(filter.patterns);
}

namespace {

using Filters = std::vector<FileTypeFilter>;

TEST(FileTypeFiltersOf, OneFilterPerPairInUtf16WithTheTextsAsWritten) {
  const struct {
    const char* browseFilter;
    Filters expected;
  } cases[] = {
      {"文件(*.txt)|*.txt|文件(*.json)|*.json| All Files (*.*)|*.*||",
       {{L"文件(*.txt)", L"*.txt"}, {L"文件(*.json)", L"*.json"}, {L" All Files (*.*)", L"*.*"}}},
      {"文件(顺无盘.clt)|*.clt|All Files (*.*)|*.*||",
       {{L"文件(顺无盘.clt)", L"*.clt"}, {L"All Files (*.*)", L"*.*"}}},
      {"Pictures|*.png;*.jpg||", {{L"Pictures", L"*.png;*.jpg"}}},
      {"No patterns||Later|*.b||", {{L"Later", L"*.b"}}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileTypeFiltersOf(c.browseFilter), c.expected) << c.browseFilter;
  }
}

TEST(OpenFileFilterText, SeparatesEveryTextWithANulAndEndsWithAnEmptyOne) {
  using namespace std::string_literals;
  const struct {
    Filters filters;
    std::wstring expected;
  } cases[] = {
      {{{L"文件(db.XML)", L"db.XML"}, {L"All Files (*.*)", L"*.*"}},
       L"文件(db.XML)\0db.XML\0All Files (*.*)\0*.*\0\0"s},
      {{{L"Pictures", L"*.png;*.jpg"}}, L"Pictures\0*.png;*.jpg\0\0"s},
      {{}, L"\0"s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OpenFileFilterText(c.filters), c.expected);
  }
}

TEST(FileTypeFiltersOf, EveryTypeOffersItsOwnFilesFirstAndEveryFileLast) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    const Filters filters = FileTypeFiltersOf(row.browseFilter);
    ASSERT_GE(filters.size(), 2u) << row.slug;
    EXPECT_EQ(filters.back().patterns, L"*.*") << row.slug;
    EXPECT_NE(filters.front().patterns, L"*.*") << row.slug;
  }
}

}  // namespace
