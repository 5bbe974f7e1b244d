// A source can never make the parser fetch a file or expand entities.
#include <gtest/gtest.h>

#include <filesystem>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "core/conversion_context.h"
#include "core/utf8.h"
#include "readers/xml/xml_document.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using T = DisklessType;

struct DoctypeCase {
  const char* what;
  std::u16string text;
  bool accepted;
};

class DoctypeTest : public testing::TestWithParam<DoctypeCase> {};

TEST_P(DoctypeTest, OnlyABareDoctypeIsAccepted) {
  XmlDocument document;
  EXPECT_EQ(document.loadXML(GetParam().text), GetParam().accepted)
      << document.loadErrorDetail();
  if (!GetParam().accepted) {
    EXPECT_EQ(document.loadFailure(), XmlLoadFailure::NotWellFormed);
  }

  ScratchDir dir;
  WriteFileBytes(dir / "source.xml", Utf16ToUtf8Whole(GetParam().text));
  EXPECT_EQ(document.load(dir / "source.xml"), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Doctypes, DoctypeTest,
    testing::Values(
        DoctypeCase{"bare", u"<!DOCTYPE r><r>x</r>", true},
        DoctypeCase{"element_declarations", u"<!DOCTYPE r [<!ELEMENT r (#PCDATA)>]><r>x</r>", true},
        DoctypeCase{"system_dtd", u"<!DOCTYPE r SYSTEM \"r.dtd\"><r>x</r>", false},
        DoctypeCase{"public_dtd",
                    u"<!DOCTYPE r PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                    u"\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\"><r>x</r>",
                    false},
        DoctypeCase{"internal_entity", u"<!DOCTYPE r [<!ENTITY e \"v\">]><r>&e;</r>", false},
        DoctypeCase{"external_entity", u"<!DOCTYPE r [<!ENTITY e SYSTEM \"/etc/passwd\">]><r>&e;</r>",
                    false},
        DoctypeCase{"parameter_entity",
                    u"<!DOCTYPE r [<!ENTITY % p SYSTEM \"http://example.invalid/p\"> %p;]><r/>",
                    false},
        DoctypeCase{"unparsed_entity",
                    u"<!DOCTYPE r [<!NOTATION n SYSTEM \"n\"><!ENTITY u SYSTEM \"u\" NDATA n>]><r/>",
                    false},
        DoctypeCase{"entity_expansion",
                    u"<!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">"
                    u"<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;\">]><r>&c;&c;&c;&c;</r>",
                    false},
        DoctypeCase{"undeclared_entity", u"<r>&secret;</r>", false}),
    [](const testing::TestParamInfo<DoctypeCase>& info) { return std::string(info.param.what); });

// Each type's source, with an entity standing for the name of one machine.
struct TypeSource {
  DisklessType type;
  std::string root;   // the DOCTYPE's name
  std::string body;   // "&secret;" is where the entity is used
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

TEST(XmlSafety, AnExternalEntityNeverBringsALocalFileIntoAnyOutput) {
  ScratchDir dir;
  const std::string secret = "SECRET-CONTENT-7f3a";
  WriteFileBytes(dir / "secret.txt", secret);
  const std::string references[] = {
      (dir / "secret.txt").string(), "file://" + (dir / "secret.txt").string(), "secret.txt"};
  for (const TypeSource& source : kTypeSources) {
    for (const std::string& reference : references) {
      const std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE " + source.root +
                               " [<!ENTITY secret SYSTEM \"" + reference + "\">]>\n" + source.body;
      WriteFileBytes(dir / "source.xml", text);
      RecordingHost host;
      ConvertMachineList(source.type, dir / "source.xml", dir / "out.ONC",
                         ConversionContext::Default(), host);
      const std::string slug(SourceTypeOf(source.type).slug);
      EXPECT_EQ(host.messages, std::vector{Message::SourceFormatInvalid}) << slug << reference;
      for (const std::string& detail : host.details) {
        EXPECT_EQ(detail.find(secret), std::string::npos) << slug;
      }
      EXPECT_FALSE(fs::exists(dir / "out.ONC")) << slug << reference;
    }
  }
}

}  // namespace
