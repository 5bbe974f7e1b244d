// Text-mode lines: LF and CR LF end a line, a lone CR stays.
#include <gtest/gtest.h>

#include <optional>

#include "platform/source_file.h"
#include "readers/text/line_reader.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

// The lines put together from their pieces, read through a buffer of the
// given size; no piece may be longer than the buffer.
std::vector<std::string> LinesOf(const std::string& bytes, std::size_t bufferSize = 1 << 16) {
  ScratchDir dir;
  WriteFileBytes(dir / "f", bytes);
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(dir / "f");
  std::vector<std::string> lines;
  if (!file) {
    ADD_FAILURE() << "cannot open the scratch file";
    return lines;
  }
  LineReader reader(*file, bufferSize);
  std::string line;
  for (LinePiece piece; reader.Next(piece);) {
    EXPECT_LE(piece.bytes.size(), bufferSize);
    line += piece.bytes;
    if (!piece.endsLine) continue;
    lines.push_back(line);
    line.clear();
  }
  EXPECT_TRUE(line.empty()) << "the last piece ends the last line";
  EXPECT_FALSE(reader.failed());
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
      {"a\r", {"a\r"}},
      {"\r", {"\r"}},
      {"\r\n", {"", ""}},
      {"ab\r\r", {"ab\r\r"}},
      {"abc\r\ndef\rg\r\n\r\nh\r", {"abc", "def\rg", "", "h\r"}},
  };
  // Small buffers put a CR at the end of a buffer, its LF in the next one.
  for (std::size_t bufferSize : {1, 2, 3, 4, 65536}) {
    for (const auto& [bytes, expected] : cases) {
      EXPECT_EQ(LinesOf(bytes, bufferSize), expected)
          << testing::PrintToString(bytes) << " through " << bufferSize << " bytes";
    }
  }
}

TEST(LineReader, ReadsLinesLongerThanItsBuffer) {
  const std::string longLine(200000, 'x');
  EXPECT_EQ(LinesOf(longLine + "\nend"), (std::vector<std::string>{longLine, "end"}));
  EXPECT_EQ(LinesOf(longLine + "\r\n", 1000), (std::vector<std::string>{longLine, ""}));
}

// /proc/self/mem is a regular file whose first page no process maps: reading
// it fails (EIO).
TEST(LineReader, TellsAFailedRead) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open("/proc/self/mem");
  if (!file) GTEST_SKIP() << "no /proc/self/mem";
  LineReader reader(*file);
  LinePiece piece;
  ASSERT_TRUE(reader.Next(piece));
  EXPECT_TRUE(piece.endsLine);
  EXPECT_FALSE(reader.Next(piece));
  EXPECT_TRUE(reader.failed());
}

}  // namespace
