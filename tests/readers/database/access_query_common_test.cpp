// What both builds of zembrix-access-query share: the command line, finding
// the fields by name, and writing the rows in pieces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "readers/database/access_query_arguments.h"
#include "readers/database/access_query_fields.h"
#include "readers/database/access_query_output.h"

namespace {

using Strings = std::vector<std::string>;

TEST(AccessQueryArguments, TheCharsetComesOnlyFirstAndAFieldIsNeeded) {
  const struct {
    const char* what;
    Strings arguments;
    std::optional<std::string> charset;  // when parsed
    std::string sql;
    Strings fields;
    bool parsed;
  } cases[] = {
      {"query and fields", {"select a", "a", "b"}, std::nullopt, "select a", {"a", "b"}, true},
      {"with a charset",
       {"--jet3-charset", "CP936", "select a", "a"}, "CP936", "select a", {"a"}, true},
      {"an empty charset is still given", {"--jet3-charset", "", "q", "a"}, "", "q", {"a"}, true},
      {"the option later is a field",
       {"q", "--jet3-charset", "x"}, std::nullopt, "q", {"--jet3-charset", "x"}, true},
      {"nothing", {}, {}, {}, {}, false},
      {"no field", {"select a"}, {}, {}, {}, false},
      {"charset without a name", {"--jet3-charset"}, {}, {}, {}, false},
      {"charset and nothing else", {"--jet3-charset", "CP936"}, {}, {}, {}, false},
      {"charset and no field", {"--jet3-charset", "CP936", "select a"}, {}, {}, {}, false},
  };
  for (const auto& c : cases) {
    const std::optional<AccessQueryArguments> parsed = ParseAccessQueryArguments(c.arguments);
    ASSERT_EQ(parsed.has_value(), c.parsed) << c.what;
    if (!parsed) continue;
    EXPECT_EQ(parsed->jet3Charset, c.charset) << c.what;
    EXPECT_EQ(parsed->sql, c.sql) << c.what;
    EXPECT_EQ(parsed->fields, c.fields) << c.what;
  }
}

TEST(AccessQueryFields, MatchAsAccessDoes) {
  const Strings columns{"ID", "MAC", "Remark", "Name", "IP", "name", "Ä", "机器"};
  const struct {
    const char* what;
    Strings fields;
    std::vector<std::size_t> columns;
    std::optional<std::string> missing;
  } cases[] = {
      {"any place and case", {"name", "ip", "mac"}, {3, 4, 1}, std::nullopt},
      {"the first of two that match", {"NAME"}, {3}, std::nullopt},
      {"one column for a field asked twice", {"ip", "IP"}, {4, 4}, std::nullopt},
      {"other letters match exactly", {"Ä", "机器"}, {6, 7}, std::nullopt},
      {"only A to Z fold", {"ä"}, {}, "ä"},
      {"the first field missing is named", {"name", "host", "port"}, {}, "host"},
      {"a name is the whole name", {"nam"}, {}, "nam"},
  };
  for (const auto& c : cases) {
    const AccessFieldMatch match = MatchAccessFields(columns, c.fields);
    EXPECT_EQ(match.missing, c.missing) << c.what;
    if (!c.missing) {
      EXPECT_EQ(match.columns, c.columns) << c.what;
    }
  }
}

// Collects what the output hands on, one entry per piece.
struct RecordingSink {
  Strings pieces;
  bool accepts = true;

  AccessQueryOutput::Sink sink() {
    return [this](std::string_view bytes) {
      if (!accepts) return false;
      pieces.emplace_back(bytes);
      return true;
    };
  }
  std::string all() const {
    std::string bytes;
    for (const std::string& piece : pieces) bytes += piece;
    return bytes;
  }
};

TEST(AccessQueryOutput, RowsGoOutInPiecesAndTheEndMarkLast) {
  RecordingSink recorder;
  AccessQueryOutput output(recorder.sink(), 64);
  std::vector<AccessRow> rows;
  for (int i = 0; i < 20; ++i) {
    rows.push_back({"机器" + std::to_string(i), "10.0.0." + std::to_string(i), ""});
    ASSERT_TRUE(output.Row(rows.back()));
  }
  const std::size_t piecesBeforeEnd = recorder.pieces.size();
  EXPECT_GT(piecesBeforeEnd, 1u);
  for (const std::string& piece : recorder.pieces) EXPECT_GE(piece.size(), 64u);
  ASSERT_TRUE(output.End());
  EXPECT_EQ(recorder.pieces.size(), piecesBeforeEnd + 1);
  const AccessRowStream parsed = ParseAccessRowStream(recorder.all(), 3);
  EXPECT_TRUE(parsed.complete);
  EXPECT_EQ(parsed.rows, rows);
}

TEST(AccessQueryOutput, AFailureFollowsTheRowsAlreadyReadWithoutTrailingBlanks) {
  const struct {
    const char* message;
    const char* written;
  } cases[] = {
      {"query failed: no such table\n", "query failed: no such table"},
      {"Unable to locate database \r\n\t ", "Unable to locate database"},
      {"  leading blanks stay", "  leading blanks stay"},
      {" \n", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    RecordingSink recorder;
    AccessQueryOutput output(recorder.sink());
    ASSERT_TRUE(output.Row({"pc01"}));
    EXPECT_EQ(output.Fail(c.message), EXIT_FAILURE) << c.message;
    const AccessRowStream parsed = ParseAccessRowStream(recorder.all(), 1);
    EXPECT_FALSE(parsed.complete) << c.message;
    EXPECT_EQ(parsed.rows, std::vector<AccessRow>{{"pc01"}}) << c.message;
    EXPECT_EQ(parsed.error, c.written) << c.message;
  }
}

TEST(AccessQueryOutput, AParentThatIsGoneStopsTheRows) {
  RecordingSink recorder;
  recorder.accepts = false;
  AccessQueryOutput output(recorder.sink(), 16);
  EXPECT_TRUE(output.Row({"short"}));
  EXPECT_FALSE(output.Row({"long enough to fill a piece"}));
  EXPECT_FALSE(output.End());
  EXPECT_TRUE(recorder.pieces.empty());
}

}  // namespace
