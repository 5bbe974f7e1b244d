// Golden files: tests/data/structured/<slug>.<case>.<ext> converts to <slug>.<case>.ONC.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/machine_list_file.h"
#include "core/source_types.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(StructuredSources, GoldenFilesConvertExactly) {
  ScratchDir dir;
  int checked = 0;
  for (const auto& file : fs::directory_iterator(TestDataPath("structured"))) {
    if (file.path().extension() == ".ONC") continue;
    const std::string fileName = file.path().filename().string();
    const SourceTypeInfo* type = FindSourceType(fileName.substr(0, fileName.find('.')));
    ASSERT_NE(type, nullptr) << fileName;
    ASSERT_NE(type->reader, nullptr) << fileName;
    RecordingHost host;
    std::u16string output;
    ASSERT_TRUE(type->reader(type->type, WidePath(file.path()), output, host)) << fileName;
    ASSERT_TRUE(WriteMachineListFile(WidePath(dir / "out.ONC"), output, host));
    fs::path expected = file.path();
    expected.replace_extension(".ONC");
    EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(expected)) << fileName;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
