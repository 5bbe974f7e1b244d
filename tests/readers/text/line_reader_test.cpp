// Text-mode lines: LF and CR LF end a line, a lone CR stays.
#include <gtest/gtest.h>

#include <optional>

#include "platform/source_file.h"
#include "readers/text/line_reader.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

std::vector<std::string> LinesOf(const std::string& bytes) {
  ScratchDir dir;
  WriteFileBytes(dir / "f", bytes);
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(dir / "f");
  std::vector<std::string> lines;
  if (!file) {
    ADD_FAILURE() << "cannot open the scratch file";
    return lines;
  }
  LineReader reader(*file);
  for (std::string line; reader.Next(line);) lines.push_back(line);
  return lines;
}

TEST(LineReader, SplitsLikeTextMode) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {""}},
      {"a", {"a"}},
      {"a\n", {"a", ""}},
      {"a\r\nb\r\n", {"a", "b", ""}},
      {"a\rb\nc", {"a\rb", "c"}},
      {"a\r\r\n", {"a\r", ""}},
      {"\n\n", {"", "", ""}},
  };
  for (const auto& [bytes, expected] : cases) {
    EXPECT_EQ(LinesOf(bytes), expected) << testing::PrintToString(bytes);
  }
}

TEST(LineReader, ReadsLinesLongerThanItsBuffer) {
  const std::string longLine(200000, 'x');
  EXPECT_EQ(LinesOf(longLine + "\nend"), (std::vector<std::string>{longLine, "end"}));
}

}  // namespace
