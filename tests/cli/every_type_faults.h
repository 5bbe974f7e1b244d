// The fixture of the fault tests run for every source type: a copy of the
// type's sample as the source, and an earlier machine list in a folder of its
// own. Its tests live in one file per system they need.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "conversion/source_types.h"
#include "core/messages.h"
#include "platform/path_text.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace fault_tests {

namespace fs = std::filesystem;

inline constexpr char kEarlierList[] = "[EARLIER]\t\nIPAddr=10.0.0.1\t\nName=OLD\t\n";

inline std::string Line(Message message) { return std::string(MessageText(message)) + "\n"; }

inline std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n') + 1);
}

// A file's bytes and when it last changed.
struct FileState {
  std::string bytes;
  fs::file_time_type modified;
  bool operator==(const FileState&) const = default;
};

inline FileState StateOf(const fs::path& path) {
  return {ReadFileBytes(path), fs::last_write_time(path)};
}

class EveryTypeFaults : public testing::TestWithParam<SourceTypeInfo> {
 protected:
  void SetUp() override {
    const std::vector<fs::path> examples = ExampleSources(GetParam().slug);
    ASSERT_FALSE(examples.empty()) << "every type has a sample under examples/";
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    fs::create_directory(sources);
    fs::create_directory(outputs);
    source = sources / examples.front().filename();
    fs::copy_file(examples.front(), source);
    fs::permissions(source, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    WriteFileBytes(output, kEarlierList);
  }

  CliResult Convert(const fs::path& from, const fs::path& to, CliOptions options = {}) {
    return RunZembrixCli({"convert", "--type", std::string(GetParam().slug), "--output",
                          platform::PathText(to), platform::PathText(from)},
                         options);
  }

  // The output folder holds nothing but what it held before the run.
  void ExpectOutputsUntouched(const std::string& expectedList) {
    EXPECT_EQ(ReadFileBytes(output), expectedList);
    EXPECT_EQ(std::distance(fs::directory_iterator(outputs), {}), 1);
  }

  // A source that is no regular file is refused with the type's own words,
  // at once: the run must not wait on it.
  void ExpectRefusedAsSource(const fs::path& bad) {
    CliOptions options;
    options.timeoutSeconds = 20;
    const CliResult result = Convert(bad, output, options);
    EXPECT_EQ(result.status, 1) << bad;
    EXPECT_EQ(FirstLine(result.err), Line(GetParam().messages.openFailed)) << bad;
    ExpectOutputsUntouched(kEarlierList);
  }

  ScratchDir dir;
  fs::path sources = dir / "sources";
  fs::path outputs = dir / "outputs";
  fs::path source;
  fs::path output = outputs / "computer.ONC";
};

}  // namespace fault_tests
