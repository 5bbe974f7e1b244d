// Every sample under examples/<slug>/ converts to tests/data/examples/<slug>.ONC.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(Examples, EachSampleConvertsExactly) {
  const fs::path examples = fs::path(ZEMBRIX_SOURCE_DIR) / "examples";
  int checked = 0;
  for (const auto& folder : fs::directory_iterator(examples)) {
    if (!folder.is_directory()) continue;
    const std::string slug = folder.path().filename().string();
    ASSERT_NE(FindSourceType(slug), nullptr) << slug;
    for (const auto& source : fs::directory_iterator(folder.path())) {
      if (!source.is_regular_file() || source.path().extension() == ".sql" ||
          source.path().extension() == ".sh" || source.path().extension() == ".md") {
        continue;
      }
      ScratchDir dir;
      const CliResult result = RunZembrixCli(
          {"convert", "--type", slug, "--output", (dir / "out.ONC").string(), source.path().string()});
      EXPECT_EQ(result.status, 0) << source.path() << result.err;
      EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(TestDataPath("examples/" + slug + ".ONC")))
          << source.path();
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
