// zembrix-cli detect: the types that read a source, best first, with how
// many machines each would write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "conversion/source_types.h"
#include "platform/path_text.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
    parts.push_back(text.substr(start, at - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::size_t LinesIn(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Each line names a type as the type table does, once, and its count is what
// listing the source as that type gives.
TEST(CliDetect, EachLineIsATypeOfTheTableWithTheMachinesItWouldWrite) {
  for (const char* slug : {"lvhua", "kuaiba", "ald"}) {
    const fs::path source = ExampleSources(slug).front();
    const CliResult result = RunZembrixCli({"detect", platform::PathText(source)});
    ASSERT_EQ(result.status, 0) << slug << ": " << result.err;
    EXPECT_EQ(result.err, "") << slug;
    ASSERT_FALSE(result.out.empty()) << slug;
    ASSERT_EQ(result.out.back(), '\n') << slug;
    std::vector<std::string> lines = Split(result.out, '\n');
    lines.pop_back();  // after the last line end
    std::vector<std::string> slugsListed;
    bool sourceTypeListed = false;
    for (const std::string& line : lines) {
      const std::vector<std::string> fields = Split(line, '\t');
      ASSERT_EQ(fields.size(), 4u) << line;
      const SourceTypeInfo* row = FindSourceType(fields[0]);
      ASSERT_NE(row, nullptr) << line;
      EXPECT_EQ(fields[1], row->slug) << line;
      EXPECT_EQ(fields[2], row->displayName) << line;
      EXPECT_EQ(std::count(slugsListed.begin(), slugsListed.end(), fields[1]), 0) << line;
      slugsListed.push_back(fields[1]);
      const CliResult listed =
          RunZembrixCli({"list", "--type", fields[1], platform::PathText(source)});
      EXPECT_EQ(listed.status, 0) << line;
      EXPECT_EQ(fields[3], std::to_string(LinesIn(listed.out))) << line;
      if (fields[1] == slug) {
        sourceTypeListed = true;
        EXPECT_EQ(fields[3], std::to_string(LinesIn(ReadFileBytes(ExampleOutput(slug))) / 3))
            << line;
      }
    }
    EXPECT_TRUE(sourceTypeListed) << slug << " does not read its own example:\n" << result.out;
  }
}

// No type reads a folder or a file that is not there: the message, exit 1,
// nothing on stdout. An empty path is said as convert says it.
TEST(CliDetect, NoTypeReadsTheSourceExitsOne) {
  ScratchDir dir;
  const struct {
    std::string source;
    std::string err;
  } cases[] = {
      {platform::PathText(dir.path()), "源文件格式不正确!\n"},
      {platform::PathText(dir / "missing.txt"), "源文件格式不正确!\n"},
      {"", "文件路径不能为空!\n"},
  };
  for (const auto& c : cases) {
    const CliResult result = RunZembrixCli({"detect", c.source}, dir.path());
    EXPECT_EQ(result.status, 1) << c.source;
    EXPECT_EQ(result.err, c.err) << c.source;
    EXPECT_EQ(result.out, "") << c.source;
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

}  // namespace
