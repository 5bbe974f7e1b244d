// Values longer than the machine list keeps are cut to 259 UTF-16 units, as
// they are in the other families; a text is trimmed before it is cut.
#include <gtest/gtest.h>

#include <string>

#include "repeated_text.h"
#include "xml_read_case.h"

namespace {

using T = DisklessType;

const std::string kLong = "pc" + std::string(100000, 'x');
const std::u16string kLongCut = u"PC" + std::u16string(257, u'X');
const std::string kSpaces(5000, ' ');
const std::string kLongChinese = Times(1000, "机");  // UTF-8
const std::u16string kChineseCut = Times(259, u"机");

std::string I8(const std::string& children, const std::string& name = "pc") {
  return "<Collections><Computer Name=\"" + name + "\">" + children +
         "</Computer></Collections>";
}

std::string ClientConfig(const std::string& name, const std::string& ip = "3232235541") {
  return "<ClientInfor><ClientConfig><Name>" + name + "</Name><Mac>00e04c123abc</Mac><IP>" +
         ip + "</IP></ClientConfig></ClientInfor>";
}

class XmlLongValueTest : public testing::TestWithParam<XmlReadCase> {};

TEST_P(XmlLongValueTest, IsCutToWhatTheListKeeps) { ExpectReads(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlLongValueTest,
    testing::Values(
        XmlReadCase{"kuaiba_name", T::Kuaiba,
                    "<KB><wks><pc cName=\"" + kLong + "\" MAC=\"00e04c123abc\" clientIP=\"1\"/></wks></KB>",
                    Entry(u"00:E0:4C:12:3A:BC", u"1", kLongCut)},
        // The raw MAC is cut, then paired: the list holds its 259 units with colons.
        XmlReadCase{"kuaiba_lvcha_mac", T::KuaibaLvcha,
                    "<LC><wks><pc cName=\"a\" MAC=\"" + std::string(1000, 'a') +
                        "\" clientIP=\"1\"/></wks></LC>",
                    Entry(Times(129, u"AA:") + u"A", u"1", u"A")},
        XmlReadCase{"sanboot_ip_chinese", T::Sanboot,
                    "<S><pc Name=\"a\" MAC=\"aa\" IP=\"" + kLongChinese + "\"/></S>",
                    Entry(u"AA", kChineseCut, u"A")},
        XmlReadCase{"pxd_name_in_the_ansi_code_page", T::Pxd,
                    "<PXD><Wks><W ComName=\"" + Times(1000, "\xbb\xfa") +
                        "\" MAC=\"aa\" WksIP=\"1\"/></Wks></PXD>",
                    Entry(u"AA", u"1", kChineseCut)},
        XmlReadCase{"ccboot_value_attributes", T::Ccboot,
                    "<server><initiator><C><name value=\"" + kLong + "\"/><mac value=\"" +
                        kLongChinese + "\"/><ip value=\"" + kLong + "\"/></C></initiator></server>",
                    Entry(kChineseCut, u"pc" + std::u16string(257, u'x'), kLongCut)},
        XmlReadCase{"i8_name_attribute", T::I8,
                    I8("<MacAddr>aa</MacAddr><IPAddr>1</IPAddr>", kLong),
                    Entry(u"AA", u"1", kLongCut)},
        XmlReadCase{"i8_mac_text", T::I8,
                    I8("<MacAddr>" + kSpaces + kLong + kSpaces + "</MacAddr><IPAddr>1</IPAddr>"),
                    Entry(kLongCut, u"1", u"PC")},
        // Far more white space before the value than the list keeps of it.
        XmlReadCase{"i8_ip_after_white_space", T::I8,
                    I8("<MacAddr>aa</MacAddr><NetAddr>\n" + kSpaces + "10.0.0.1" + kSpaces +
                       "\n</NetAddr>"),
                    Entry(u"AA", u"10.0.0.1", u"PC")},
        XmlReadCase{"i8_white_space_netaddr_hands_over", T::I8,
                    I8("<MacAddr>aa</MacAddr><NetAddr>" + kSpaces + "</NetAddr><IPAddr>1</IPAddr>"),
                    Entry(u"AA", u"1", u"PC")},
        // White space inside the value stays, up to the cut.
        XmlReadCase{"i8_ip_with_white_space_inside", T::I8,
                    I8("<MacAddr>aa</MacAddr><IPAddr>1" + kSpaces + "2</IPAddr>"),
                    Entry(u"AA", u"1" + std::u16string(258, u' '), u"PC")},
        XmlReadCase{"i8_ip_with_white_space_after", T::I8,
                    I8("<MacAddr>aa</MacAddr><IPAddr>1" + kSpaces + "<x/>" + kSpaces + "</IPAddr>"),
                    Entry(u"AA", u"1", u"PC")},
        // Every character reference is a piece of its own.
        XmlReadCase{"wangwei9_name_in_pieces", T::Wangwei9,
                    ClientConfig(Times(1000, "&#x673A;")),
                    Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", kChineseCut)},
        XmlReadCase{"wangwei9_name_across_cdata", T::Wangwei9,
                    ClientConfig(kSpaces + "<![CDATA[" + kSpaces + "pc]]>" + std::string(1000, 'y') +
                                 "<![CDATA[" + kSpaces + "]]>"),
                    Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21",
                          u"PC" + std::u16string(257, u'Y'))},
        XmlReadCase{"wangwei9_ip_amid_white_space", T::Wangwei9,
                    ClientConfig("pc", kSpaces + "3232235541" + kSpaces),
                    Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC")}),
    XmlReadCaseName);

}  // namespace
