// Every type has its sample under examples/<slug>/ and the list it converts to;
// the golden test converts each of them, the command line test runs them all.
#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/source_types.h"
#include "platform/path_text.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(Examples, EveryFolderNamesAType) {
  for (const auto& folder : fs::directory_iterator(fs::path(ZEMBRIX_SOURCE_DIR) / "examples")) {
    EXPECT_NE(FindSourceType(folder.path().filename().string()), nullptr) << folder.path();
  }
}

TEST(Examples, EveryTypeHasASampleAndItsList) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    EXPECT_FALSE(ExampleSources(row.slug).empty()) << row.slug << " has no sample";
    EXPECT_TRUE(fs::is_regular_file(ExampleOutput(row.slug))) << row.slug << " has no list";
  }
}

// The same samples through the command line program, as a user runs them.
TEST(Examples, EachSampleConvertsExactlyOnTheCommandLine) {
  for (const SourceTypeInfo& type : SourceTypes()) {
    for (const fs::path& source : ExampleSources(type.slug)) {
      ScratchDir dir;
      const CliResult result =
          RunZembrixCli({"convert", "--type", std::string(type.slug), "--output",
                         platform::PathText(dir / "out.ONC"), platform::PathText(source)});
      EXPECT_EQ(result.status, 0) << source << result.err;
      EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(ExampleOutput(type.slug))) << source;
    }
  }
}

}  // namespace
