// Finding golden file pairs and checking a conversion against one.
#include "support/golden_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/conversion_run.h"
#include "core/source_types.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

std::vector<GoldenCase> GoldenCases(const std::string& folder) {
  std::vector<GoldenCase> cases;
  for (const auto& file : std::filesystem::directory_iterator(TestDataPath(folder))) {
    if (file.path().extension() == ".ONC") continue;
    const std::string stem = file.path().stem().string();
    const SourceTypeInfo* type = FindSourceType(stem.substr(0, stem.find('.')));
    EXPECT_NE(type, nullptr) << file.path() << " does not start with a slug";
    if (!type) continue;
    std::filesystem::path expected = file.path();
    expected.replace_extension(".ONC");
    cases.push_back({stem, type->type, file.path(), expected});
  }
  std::sort(cases.begin(), cases.end(),
            [](const GoldenCase& a, const GoldenCase& b) { return a.name < b.name; });
  EXPECT_FALSE(cases.empty()) << "no golden files in " << folder;
  return cases;
}

void ExpectConvertsTo(DisklessType type, const std::filesystem::path& source,
                      const std::filesystem::path& expected) {
  ScratchDir dir;
  RecordingHost host;
  ConvertMachineList(type, WidePath(source), WidePath(dir / "out.ONC"), host);
  ASSERT_EQ(host.messages, std::vector{Message::Success}) << source;
  EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(expected)) << source;
}
