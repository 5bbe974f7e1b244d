// The parser hands over character data only while the handler wants it.
#include <gtest/gtest.h>

#include <string>

#include "readers/xml/xml_stream_parser.h"

namespace {

// Wants the text inside the outermost <v> elements (their descendants' text
// included), or everywhere when `always` is set.
class VRecorder final : public XmlContentHandler {
 public:
  explicit VRecorder(bool always) : always_(always) {}

  void StartElement(int depth, std::string_view name, const XmlAttributes&) override {
    if (name == "v" && vDepth_ == 0) vDepth_ = depth;
  }
  void EndElement(int depth) override {
    if (depth == vDepth_) vDepth_ = 0;
  }
  void Text(int, std::string_view text) override { texts += text; }
  bool WantsText() const override { return always_ || vDepth_ != 0; }

  std::string texts;

 private:
  bool always_;
  int vDepth_ = 0;
};

TEST(XmlStreamParser, HandsOverTextOnlyWhileTheHandlerWantsIt) {
  const std::string document =
      "<r>out1<v>in1<x>in2</x><![CDATA[in3]]>&amp;</v>out2<v/>out3<v>in4</v>\n</r>";
  const struct {
    bool always;
    std::string expected;
  } cases[] = {
      {false, "in1in2in3&in4"},
      {true, "out1in1in2in3&out2out3in4\n"},
  };
  for (const auto& c : cases) {
    VRecorder handler(c.always);
    XmlStreamParser parser(handler, "UTF-8");
    ASSERT_TRUE(parser.Parse(document));
    ASSERT_TRUE(parser.Finish());
    EXPECT_EQ(handler.texts, c.expected) << c.always;
  }
}

}  // namespace
