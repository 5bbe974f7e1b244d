// The record stream between the query process and the reader.
#include "readers/database/access_row_stream.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessRowStream, RowsAndEndMarkComeBackAsWritten) {
  std::string stream;
  AppendAccessRow(stream, {"pc01", "", "00-e0-4c-12-3a-bc"});
  AppendAccessRow(stream, {"网吧", std::string("a\0b", 3), ""});
  AppendAccessEnd(stream);
  const AccessRowStream parsed = ParseAccessRowStream(stream, 3);
  EXPECT_TRUE(parsed.complete);
  EXPECT_FALSE(parsed.error);
  ASSERT_EQ(parsed.rows.size(), 2u);
  EXPECT_EQ(parsed.rows[0], (AccessRow{"pc01", "", "00-e0-4c-12-3a-bc"}));
  EXPECT_EQ(parsed.rows[1][1], std::string("a\0b", 3));
}

TEST(AccessRowStream, AnythingButAFullStreamIsIncomplete) {
  std::string rows;
  AppendAccessRow(rows, {"a", "b"});
  std::string error;
  AppendAccessError(error, "no field mac");
  const struct {
    const char* what;
    std::string bytes;
    bool hasError;
  } cases[] = {
      {"nothing", "", false},
      {"rows without end mark", rows, false},
      {"row cut inside a field", rows.substr(0, rows.size() - 1), false},
      {"unknown tag", rows + "Z", false},
      {"bytes after the end mark", rows + "E" + "R", false},
      {"error record", rows + error, true},
      {"error record cut short", rows + error.substr(0, error.size() - 2), false},
  };
  for (const auto& c : cases) {
    const AccessRowStream parsed = ParseAccessRowStream(c.bytes, 2);
    EXPECT_FALSE(parsed.complete) << c.what;
    EXPECT_EQ(parsed.error.has_value(), c.hasError) << c.what;
  }
  EXPECT_EQ(ParseAccessRowStream(rows + error, 2).error, "no field mac");
}

}  // namespace
