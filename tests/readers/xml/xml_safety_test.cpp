// A source can never make the parser fetch a file or expand an entity, and no
// document, however built, runs away with time or memory.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "conversion/conversion_run.h"
#include "conversion/source_detection.h"
#include "conversion/source_types.h"
#include "core/conversion_context.h"
#include "core/utf8.h"
#include "platform/path_text.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "xml_read_case.h"

namespace {

namespace fs = std::filesystem;
using T = DisklessType;

struct DoctypeCase {
  const char* what;
  std::string text;  // a document whose root is "r"
  bool accepted;
};

void PrintTo(const DoctypeCase& c, std::ostream* os) { *os << c.what; }

class DoctypeTest : public testing::TestWithParam<DoctypeCase> {};

// Through the streamed file (SANBOOT takes any root) and through the text read
// whole in the ANSI code page (网维9 finds no machines below "r").
TEST_P(DoctypeTest, OnlyAnInternalDtdWithoutEntitiesIsAccepted) {
  for (T type : {T::Sanboot, T::Wangwei9}) {
    const ReaderRun run = ReadBytesAs(type, GetParam().text);
    EXPECT_EQ(run.write, GetParam().accepted) << SourceTypeOf(type).slug;
    if (GetParam().accepted) {
      EXPECT_EQ(run.output, u"");
    } else {
      EXPECT_EQ(run.messages, std::vector{Message::SourceFormatInvalid});
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Doctypes, DoctypeTest,
    testing::Values(
        DoctypeCase{"bare", "<!DOCTYPE r><r>x</r>", true},
        DoctypeCase{"element_declarations", "<!DOCTYPE r [<!ELEMENT r (#PCDATA)>]><r>x</r>", true},
        DoctypeCase{"attribute_list", "<!DOCTYPE r [<!ATTLIST r a CDATA \"d\">]><r/>", true},
        DoctypeCase{"notation", "<!DOCTYPE r [<!NOTATION n SYSTEM \"n\">]><r/>", true},
        DoctypeCase{"comment_and_processing_instruction",
                    "<!DOCTYPE r [<!-- c --><?p x?><!ELEMENT r ANY>]><r/>", true},
        DoctypeCase{"predefined_entities", "<r>&amp;&lt;&gt;&quot;&apos;&#x41;</r>", true},
        DoctypeCase{"version_1_1", "<?xml version=\"1.1\"?><r/>", true},
        DoctypeCase{"system_dtd", "<!DOCTYPE r SYSTEM \"r.dtd\"><r>x</r>", false},
        DoctypeCase{"system_dtd_and_internal_subset",
                    "<!DOCTYPE r SYSTEM \"r.dtd\" [<!ELEMENT r ANY>]><r>x</r>", false},
        DoctypeCase{"public_dtd",
                    "<!DOCTYPE r PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\"><r>x</r>",
                    false},
        DoctypeCase{"internal_entity", "<!DOCTYPE r [<!ENTITY e \"v\">]><r>&e;</r>", false},
        DoctypeCase{"internal_entity_unused", "<!DOCTYPE r [<!ENTITY e \"v\">]><r/>", false},
        DoctypeCase{"external_entity",
                    "<!DOCTYPE r [<!ENTITY e SYSTEM \"/etc/passwd\">]><r>&e;</r>", false},
        DoctypeCase{"parameter_entity",
                    "<!DOCTYPE r [<!ENTITY % p SYSTEM \"http://example.invalid/p\"> %p;]><r/>",
                    false},
        DoctypeCase{"internal_parameter_entity", "<!DOCTYPE r [<!ENTITY % p \"\">]><r/>", false},
        DoctypeCase{"undeclared_parameter_entity", "<!DOCTYPE r [%p;]><r/>", false},
        DoctypeCase{"undeclared_parameter_entity_standalone",
                    "<?xml version=\"1.0\" standalone=\"yes\"?><!DOCTYPE r [%p;]><r/>", false},
        DoctypeCase{"entity_after_parameter_entity",
                    "<!DOCTYPE r [%p;<!ENTITY e \"v\">]><r>&e;</r>", false},
        DoctypeCase{"unparsed_entity",
                    "<!DOCTYPE r [<!NOTATION n SYSTEM \"n\"><!ENTITY u SYSTEM \"u\" NDATA n>]><r/>",
                    false},
        DoctypeCase{"entity_expansion",
                    "<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">"
                    "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;\">]><r>&c;&c;&c;&c;</r>",
                    false},
        DoctypeCase{"undeclared_entity", "<r>&secret;</r>", false},
        DoctypeCase{"undeclared_entity_in_attribute", "<r a=\"&secret;\"/>", false},
        DoctypeCase{"version_2_0", "<?xml version=\"2.0\"?><r/>", false}),
    [](const testing::TestParamInfo<DoctypeCase>& info) { return std::string(info.param.what); });

// Each type's source, with an entity standing for the name of one machine.
struct TypeSource {
  DisklessType type;
  std::string root;  // the DOCTYPE's name
  std::string body;  // "&secret;" is where the entity is used
};

const TypeSource kTypeSources[] = {
    {T::Sanboot, "Clients", "<Clients><C Name=\"&secret;\" MAC=\"aa\" IP=\"1\"/></Clients>"},
    {T::Kuaiba, "KB", "<KB><wks><C cName=\"&secret;\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>"},
    {T::KuaibaLvcha, "LC", "<LC><wks><C cName=\"&secret;\" MAC=\"aa\" clientIP=\"1\"/></wks></LC>"},
    {T::Pxd, "PXD", "<PXD><Wks><C ComName=\"&secret;\" MAC=\"aa\" WksIP=\"1\"/></Wks></PXD>"},
    {T::Wangwei9, "ClientInfor",
     "<ClientInfor><ClientConfig><Name>&secret;</Name><Mac>aa</Mac><IP>1</IP></ClientConfig>"
     "</ClientInfor>"},
    {T::I8, "Collections",
     "<Collections><Computer Name=\"x\"><MacAddr>aa</MacAddr><IPAddr>&secret;</IPAddr></Computer>"
     "</Collections>"},
    {T::Ccboot, "server",
     "<server><initiator><C><name value=\"&secret;\"/><mac value=\"aa\"/><ip value=\"1\"/></C>"
     "</initiator></server>"},
};

// Converts the source text as the type; the run must refuse it and write nothing.
void ExpectRefused(const TypeSource& source, const std::string& text, const ScratchDir& dir,
                   const std::string& secret = {}) {
  WriteFileBytes(dir / "source.xml", text);
  RecordingHost host;
  ConvertMachineList(source.type, dir / "source.xml", dir / "out.ONC",
                     ConversionContext::Default(), host);
  const std::string slug(SourceTypeOf(source.type).slug);
  EXPECT_EQ(host.messages, std::vector{Message::SourceFormatInvalid}) << slug << " " << text;
  if (!secret.empty()) {
    for (const std::string& detail : host.details) {
      EXPECT_EQ(detail.find(secret), std::string::npos) << slug;
    }
  }
  EXPECT_FALSE(fs::exists(dir / "out.ONC")) << slug << " " << text;
}

TEST(XmlSafety, AnExternalEntityNeverBringsALocalFileIntoAnyOutput) {
  ScratchDir dir;
  const std::string secret = "SECRET-CONTENT-7f3a";
  WriteFileBytes(dir / "secret.txt", secret);
  const std::string references[] = {
      platform::PathText(dir / "secret.txt"), "file://" + platform::PathText(dir / "secret.txt"), "secret.txt"};
  for (const TypeSource& source : kTypeSources) {
    for (const std::string& reference : references) {
      ExpectRefused(source,
                    "<?xml version=\"1.0\"?>\n<!DOCTYPE " + source.root +
                        " [<!ENTITY secret SYSTEM \"" + reference + "\">]>\n" + source.body,
                    dir, secret);
    }
  }
}

// The DTD file would declare the entity: it is never read.
TEST(XmlSafety, AnExternalDtdIsNeverRead) {
  ScratchDir dir;
  const std::string secret = "SECRET-CONTENT-9b1c";
  WriteFileBytes(dir / "secret.dtd", "<!ENTITY secret \"" + secret + "\">");
  for (const TypeSource& source : kTypeSources) {
    for (const std::string& reference :
         {platform::PathText(dir / "secret.dtd"), std::string("secret.dtd")}) {
      ExpectRefused(source,
                    "<!DOCTYPE " + source.root + " SYSTEM \"" + reference + "\">" + source.body,
                    dir, secret);
      ExpectRefused(source,
                    "<!DOCTYPE " + source.root + " [<!ENTITY % d SYSTEM \"" + reference +
                        "\"> %d;]>" + source.body,
                    dir, secret);
    }
  }
}

// A billion laughs: ten entities, each ten of the one before, would expand to
// 10^9 "lol"s; it is refused at its first declaration.
TEST(XmlSafety, ABillionLaughsIsRefusedAtOnce) {
  std::string dtd = "<!ENTITY lol0 \"lol\">";
  for (int level = 1; level <= 9; ++level) {
    dtd += "<!ENTITY lol" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) dtd += "&lol" + std::to_string(level - 1) + ";";
    dtd += "\">";
  }
  ScratchDir dir;
  const auto start = std::chrono::steady_clock::now();
  for (const TypeSource& source : kTypeSources) {
    std::string body = source.body;
    body.replace(body.find("&secret;"), 8, "&lol9;");
    ExpectRefused(source, "<!DOCTYPE " + source.root + " [" + dtd + "]>" + body, dir);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

// One element with 200,000 attributes, some 2 MB: read in linear time, for
// the types that stream the file and for those that read it whole.
TEST(XmlSafety, AnElementWithManyAttributesIsReadQuickly) {
  std::string attributes;
  for (int i = 0; i < 200000; ++i) {
    attributes += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
  }
  ASSERT_GT(attributes.size(), 2000000u);
  const XmlReadCase cases[] = {
      {"kuaiba", T::Kuaiba,
       "<KB><wks><pc" + attributes + " cName=\"big\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>",
       Entry(u"AA", u"1", u"BIG")},
      {"pxd", T::Pxd,
       "<PXD><Wks><W" + attributes + " ComName=\"big\" MAC=\"aa\" WksIP=\"1\"/></Wks></PXD>",
       Entry(u"AA", u"1", u"BIG")},
  };
  for (const XmlReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto start = std::chrono::steady_clock::now();
    ExpectReads(c);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  }
}

// Elements nested deeper than 1000 are refused, at the line of the first too
// deep, through the streamed file and through the text read whole; 1000 deep
// still reads, and detection does not offer the type it refuses.
struct NestingSource {
  DisklessType type;
  std::string head;  // up to where the nested elements go, `depth` elements open
  int depth;
  std::string tail;
  std::u16string entry;
};

const NestingSource kNestingSources[] = {
    {T::Kuaiba, "<KB><wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\">", 3, "</pc></wks></KB>",
     Entry(u"AA", u"1", u"A")},
    {T::Pxd, "<PXD><Wks><W ComName=\"a\" MAC=\"aa\" WksIP=\"1\">", 3, "</W></Wks></PXD>",
     Entry(u"AA", u"1", u"A")},
    {T::I8, "<Collections><Computer Name=\"a\"><MacAddr>", 3,
     "m</MacAddr><IPAddr>1</IPAddr></Computer></Collections>", Entry(u"M", u"1", u"A")},
    {T::Ccboot, "<server><initiator><C><name value=\"a\"/><mac value=\"aa\"/><ip value=\"1\"/>", 3,
     "</C></initiator></server>", Entry(u"AA", u"1", u"A")},
    {T::Wangwei9, "<ClientInfor><ClientConfig><Name>a</Name><Mac>aa</Mac><IP>1</IP>", 2,
     "</ClientConfig></ClientInfor>", Entry(u"AA", u"0.0.0.1", u"A")},
};

std::string Nested(const NestingSource& source, int depth) {
  const auto count = static_cast<std::size_t>(depth - source.depth);
  std::string text = source.head + "\n";
  for (std::size_t i = 0; i < count; ++i) text += "<d>";
  for (std::size_t i = 0; i < count; ++i) text += "</d>";
  return text + source.tail;
}

bool Offers(const fs::path& source, DisklessType type) {
  for (const DetectedType& candidate : DetectSourceTypes(source, ConversionContext::Default())) {
    if (candidate.type == type) return true;
  }
  return false;
}

TEST(XmlSafety, NestingDeeperThanAThousandElementsIsRefused) {
  ScratchDir dir;
  for (const NestingSource& source : kNestingSources) {
    const std::string slug(SourceTypeOf(source.type).slug);
    ExpectReads(XmlReadCase{slug.c_str(), source.type, Nested(source, 1000), source.entry});
    WriteFileBytes(dir / "deep.xml", Nested(source, 1000));
    EXPECT_TRUE(Offers(dir / "deep.xml", source.type)) << slug;

    for (const int depth : {1001, 1'000'000}) {
      const ReaderRun run = ReadBytesAs(source.type, Nested(source, depth));
      EXPECT_FALSE(run.write) << slug << " " << depth;
      EXPECT_EQ(run.messages, std::vector{Message::SourceFormatInvalid}) << slug << " " << depth;
      EXPECT_EQ(run.details, std::vector<std::string>{"line 2: nesting deeper than 1000 elements"})
          << slug << " " << depth;
      WriteFileBytes(dir / "deeper.xml", Nested(source, depth));
      EXPECT_FALSE(Offers(dir / "deeper.xml", source.type)) << slug << " " << depth;
    }
  }
}

}  // namespace
