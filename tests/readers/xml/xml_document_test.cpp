// The XML document model: loading, queries, null handles and value conversions.
#include <gtest/gtest.h>

#include "core/utf8.h"
#include "readers/xml/xml_document.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

XmlDocument Parsed(std::u16string_view text) {
  XmlDocument document;
  EXPECT_TRUE(document.loadXML(text)) << document.loadErrorDetail();
  return document;
}

TEST(XmlLoad, UnreadableOrMalformedGivesFalseWithoutRaising) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.xml", "");
  WriteFileBytes(dir / "broken.xml", "<r><a></r>");
  WriteFileBytes(dir / "nul.xml", std::string("<?xml version='1.0' encoding='gbk'?><r>\0</r>", 45));
  const std::pair<std::filesystem::path, XmlLoadFailure> cases[] = {
      {dir / "missing.xml", XmlLoadFailure::Unreadable},
      {dir.path(), XmlLoadFailure::Unreadable},
      {dir / "empty.xml", XmlLoadFailure::NotWellFormed},
      {dir / "broken.xml", XmlLoadFailure::NotWellFormed},
      {dir / "nul.xml", XmlLoadFailure::NotWellFormed},
  };
  for (const auto& [path, failure] : cases) {
    XmlDocument document;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(document.load(path)) << path;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the parser must not print";
    EXPECT_EQ(document.loadFailure(), failure) << path;
    EXPECT_TRUE(document.documentElement().isNull());
  }
}

TEST(XmlLoad, MalformedTextNamesTheFault) {
  XmlDocument document;
  EXPECT_FALSE(document.loadXML(u"<r>\n<a></r>"));
  EXPECT_NE(document.loadErrorDetail().find("line 2"), std::string::npos)
      << document.loadErrorDetail();
}

TEST(XmlLoad, LoadXmlParsesTheCharactersWhateverTheDeclarationSays) {
  for (std::u16string_view declared : {u"gb2312", u"UTF-16", u"ISO-8859-1", u"utf-8"}) {
    const std::u16string text =
        u"<?xml version=\"1.0\" encoding=\"" + std::u16string(declared) + u"\"?><r>网吧喆é</r>";
    EXPECT_EQ(Parsed(text).documentElement().text(), u"网吧喆é");
  }
}

// Loading takes no code page: a document declared gb2312 or gbk is always read as 936.
TEST(XmlLoad, CodePage936DocumentIsReadAs936) {
  ScratchDir dir;
  WriteFileBytes(dir / "gbk.xml", "<?xml version=\"1.0\" encoding=\"Gb2312\"?><r>\x86\xB4</r>");
  XmlDocument document;
  ASSERT_TRUE(document.load(dir / "gbk.xml"));
  EXPECT_EQ(document.documentElement().text(), u"喆");
}

constexpr std::u16string_view kSample =
    u"<r>\n"
    u"  <a x=\"1\" e=\"\">  one  </a>\n"
    u"  <!-- note -->\n"
    u"  <a><b>deep</b></a>\n"
    u"  <c><a>grandchild</a></c>\n"
    u"</r>";

TEST(XmlQuery, PathsSelectElementsInDocumentOrder) {
  const XmlDocument document = Parsed(kSample);
  const XmlElement root = document.documentElement();
  EXPECT_EQ(document.selectNodes(u"/r/a").length(), 2);
  EXPECT_EQ(root.selectNodes(u"a").length(), 2) << "children only, no grandchildren";
  EXPECT_EQ(root.selectNodes(u"a").item(1).text(), u"deep");
  const XmlNode deep = root.selectSingleNode(u"c/a");
  EXPECT_EQ(deep.text(), u"grandchild");
  EXPECT_EQ(deep.selectNodes(u"/r/c").length(), 1) << "a rooted path starts at the document";
  EXPECT_EQ(document.selectNodes(u"/R/a").length(), 0) << "names are case-sensitive";
  EXPECT_EQ(root.selectNodes(u"A").length(), 0);
  EXPECT_EQ(root.selectNodes(u"z").length(), 0);
  EXPECT_TRUE(root.selectSingleNode(u"/r/z").isNull());
  EXPECT_THROW((void)root.selectNodes(u"//a"), XmlError);
}

TEST(XmlQuery, ChildNodesKeepCommentsButNoWhiteSpace) {
  const XmlNodeList children = Parsed(kSample).documentElement().childNodes();
  ASSERT_EQ(children.length(), 4);
  EXPECT_TRUE(children.item(1).asElement().isNull()) << "the comment is no element";
  EXPECT_EQ(children.item(1).text(), u"note");
  EXPECT_FALSE(children.item(3).asElement().isNull());
  EXPECT_TRUE(children.item(4).isNull());
  EXPECT_TRUE(children.item(-1).isNull());
}

TEST(XmlQuery, AttributesAreNullEmptyOrTheirValue) {
  const XmlElement a = Parsed(kSample).documentElement().selectSingleNode(u"a").asElement();
  EXPECT_EQ(a.getAttribute(u"x"), XmlAttributeValue(u"1"));
  EXPECT_EQ(a.getAttribute(u"e"), XmlAttributeValue(u""));
  EXPECT_EQ(a.getAttribute(u"X"), std::nullopt);
  EXPECT_EQ(a.getAttribute(u"missing"), std::nullopt);
}

TEST(XmlQuery, TextJoinsCharacterDataAndTrimsTheEnds) {
  const XmlDocument document =
      Parsed(u"<r> \t a<i>b</i><!--x--><?p q?><![CDATA[ c &amp; ]]>&lt;d&gt; \r\n</r>");
  EXPECT_EQ(document.documentElement().text(), u"ab c &amp; <d>");
  EXPECT_EQ(Parsed(u"<r>  </r>").documentElement().text(), u"");
}

TEST(XmlQuery, UsingANullHandleRaises) {
  const XmlElement root = Parsed(u"<r><!--c--></r>").documentElement();
  const XmlNode missing = root.selectSingleNode(u"a");
  ASSERT_TRUE(missing.isNull());
  EXPECT_THROW((void)missing.text(), XmlError);
  EXPECT_THROW((void)missing.childNodes(), XmlError);
  EXPECT_THROW((void)missing.selectNodes(u"a"), XmlError);
  EXPECT_THROW((void)missing.asElement(), XmlError);
  EXPECT_THROW((void)root.childNodes().item(0).asElement().getAttribute(u"x"), XmlError);
  EXPECT_THROW((void)XmlDocument().documentElement().selectSingleNode(u"/r"), XmlError);
}

TEST(XmlQuery, HandlesKeepTheDocumentAlive) {
  XmlNode node;
  {
    const XmlDocument document = Parsed(u"<r><a>kept</a></r>");
    node = document.selectNodes(u"/r/a").item(0);
  }
  EXPECT_EQ(node.text(), u"kept");
}

TEST(XmlValues, TryTextToUInt32TakesUnsignedDecimalDigitsOnly) {
  const std::pair<std::u16string_view, std::uint32_t> numbers[] = {
      {u"0", 0}, {u"3232235541", 3232235541u}, {u"4294967295", 4294967295u}, {u"007", 7}};
  for (const auto& [text, number] : numbers) EXPECT_EQ(TryTextToUInt32(text), number);
  for (std::u16string_view text :
       {u"", u"-1", u"+5", u"1.2.3.4", u"4294967296", u"99999999999999999999", u"12a", u"0x10",
        u"\uFF11"}) {
    EXPECT_EQ(TryTextToUInt32(text), std::nullopt) << Utf16ToUtf8Whole(text);
  }
}

}  // namespace
