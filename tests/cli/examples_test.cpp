// Every sample under examples/<slug>/ converts to tests/data/examples/<slug>.ONC.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(Examples, EveryFolderNamesAType) {
  for (const auto& folder : fs::directory_iterator(fs::path(ZEMBRIX_SOURCE_DIR) / "examples")) {
    EXPECT_NE(FindSourceType(folder.path().filename().string()), nullptr) << folder.path();
  }
}

TEST(Examples, EachSampleConvertsExactly) {
  int checked = 0;
  for (const SourceTypeInfo& type : SourceTypes()) {
    for (const fs::path& source : ExampleSources(type.slug)) {
      ScratchDir dir;
      const CliResult result = RunZembrixCli({"convert", "--type", std::string(type.slug), "--output",
                                              (dir / "out.ONC").string(), source.string()});
      EXPECT_EQ(result.status, 0) << source << result.err;
      EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(ExampleOutput(type.slug))) << source;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
