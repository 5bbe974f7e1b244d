// Which elements of a document are machines, and which of their values count.
#include <gtest/gtest.h>

#include "xml_read_case.h"

namespace {

using T = DisklessType;

class XmlSelectionTest : public testing::TestWithParam<XmlReadCase> {};

TEST_P(XmlSelectionTest, ReadsTheMachinesTheTypeNames) { ExpectReads(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Types, XmlSelectionTest,
    testing::Values(
        XmlReadCase{"kuaiba_first_container_only", T::Kuaiba,
                    "<KB><wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/></wks>"
                    "<wks><pc cName=\"b\" MAC=\"bb\" clientIP=\"2\"/></wks></KB>",
                    Entry(u"AA", u"1", u"A")},
        XmlReadCase{"kuaiba_children_not_grandchildren", T::Kuaiba,
                    "<KB><wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\">"
                    "<pc cName=\"b\" MAC=\"bb\" clientIP=\"2\"/></pc></wks></KB>",
                    Entry(u"AA", u"1", u"A")},
        XmlReadCase{"kuaiba_container_directly_below_the_root", T::Kuaiba,
                    "<KB><x><wks><pc cName=\"z\" MAC=\"zz\" clientIP=\"9\"/></wks></x>"
                    "<wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>",
                    Entry(u"AA", u"1", u"A")},
        XmlReadCase{"kuaiba_container_inside_the_container", T::Kuaiba,
                    "<KB><wks><wks cName=\"w\" MAC=\"ww\" clientIP=\"3\">"
                    "<pc cName=\"z\" MAC=\"zz\" clientIP=\"9\"/></wks>"
                    "<pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/></wks>"
                    "<wks><pc cName=\"b\" MAC=\"bb\" clientIP=\"2\"/></wks></KB>",
                    Entry(u"WW", u"3", u"W") + Entry(u"AA", u"1", u"A")},
        XmlReadCase{"kuaiba_prefix_is_part_of_the_name", T::Kuaiba,
                    "<KB xmlns:a=\"urn:x\"><a:wks><pc cName=\"z\" MAC=\"zz\" clientIP=\"9\"/></a:wks>"
                    "<wks><a:pc a:cName=\"x\" cName=\"a\" MAC=\"aa\" clientIP=\"1\"/>"
                    "<pc a:MAC=\"bb\" cName=\"b\" clientIP=\"2\"/></wks></KB>",
                    Entry(u"AA", u"1", u"A"), 1},
        XmlReadCase{"kuaiba_attribute_names_are_case_sensitive", T::Kuaiba,
                    "<KB><wks><pc cname=\"a\" MAC=\"aa\" clientIP=\"1\"/>"
                    "<pc cName=\"b\" mac=\"bb\" clientIP=\"2\"/>"
                    "<pc cName=\"c\" MAC=\"cc\" ClientIP=\"3\"/></wks></KB>",
                    u"", 3},
        XmlReadCase{"kuaiba_empty_name_and_ip_but_no_empty_mac", T::Kuaiba,
                    "<KB><wks><pc cName=\"\" MAC=\"aa\" clientIP=\"\"/>"
                    "<pc cName=\"b\" MAC=\"\" clientIP=\"2\"/></wks></KB>",
                    Entry(u"AA", u"", u""), 1},
        XmlReadCase{"kuaiba_attributes_a_dtd_would_add_do_not_count", T::Kuaiba,
                    "<!DOCTYPE KB [<!ATTLIST pc clientIP CDATA \"9.9.9.9\">]>"
                    "<KB><wks><pc cName=\"a\" MAC=\"aa\"/></wks></KB>",
                    u"", 1},
        XmlReadCase{"kuaiba_attribute_values_are_normalized", T::Kuaiba,
                    "<KB><wks><pc cName=\"a\tb\nc\r\nd  e&#10;f&#9;g\" MAC=\" aa \" "
                    "clientIP=\"1&#x20;\"/></wks></KB>",
                    Entry(u" A:A ", u"1 ", u"A B C D  E F\tG")},
        XmlReadCase{"kuaiba_references_in_values", T::Kuaiba,
                    "<KB><wks><pc cName=\"&#x7F51;&amp;&lt;&gt;&quot;&apos;\" MAC=\"aa\" "
                    "clientIP=\"1\"/></wks></KB>",
                    Entry(u"AA", u"1", u"\u7F51&<>\"'")},
        XmlReadCase{"kuaiba_only_elements_are_machines", T::Kuaiba,
                    "<KB><wks><![CDATA[<pc cName=\"x\" MAC=\"xx\" clientIP=\"9\"/>]]>text"
                    "<!-- <pc/> --><?pc cName=\"y\"?><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/>"
                    "</wks></KB>",
                    Entry(u"AA", u"1", u"A")},
        XmlReadCase{"sanboot_root_whatever_its_name", T::Sanboot,
                    "<A><C Name=\"a\" MAC=\"aa\" IP=\"1\"/><!--c--><C Name=\"b\" MAC=\"bb\" IP=\"2\"></C></A>",
                    Entry(u"AA", u"1", u"A") + Entry(u"BB", u"2", u"B")},
        XmlReadCase{"ccboot_first_child_of_each_name_counts", T::Ccboot,
                    "<server><initiator>"
                    "<c><name/><name value=\"n2\"/><mac value=\"m\"/><ip value=\"1\"/></c>"
                    "<d><name value=\"n\"/><mac value=\"m\"/><mac value=\"m2\"/><ip value=\"1\"/>"
                    "<ip value=\"2\"/></d></initiator></server>",
                    Entry(u"M", u"1", u"N"), 1},
        XmlReadCase{"ccboot_children_only_and_values_as_written", T::Ccboot,
                    "<server><initiator>"
                    "<c><x><name value=\"n\"/></x><mac value=\"m\"/><ip value=\"1\"/></c>"
                    "<e><name value=\"  n  \"/><mac value=\"m\"/><ip value=\"1\"/></e>"
                    "</initiator></server>",
                    Entry(u"M", u"1", u"  N  "), 1},
        XmlReadCase{"ccboot_empty_name_and_ip", T::Ccboot,
                    "<server><initiator><c><name value=\"\"/><mac value=\"m\"/><ip value=\"\"/></c>"
                    "</initiator></server>",
                    Entry(u"M", u"", u"")},
        XmlReadCase{"i8_text_joins_descendants_and_trims", T::I8,
                    "<Collections><Computer Name=\"a\"><MacAddr> <b>a</b>a<![CDATA[ x ]]><!--c-->"
                    "<?p q?> </MacAddr><IPAddr>\n 1.2.3.4 \t</IPAddr></Computer></Collections>",
                    Entry(u"AA X", u"1.2.3.4", u"A")},
        XmlReadCase{"i8_first_child_of_each_name_counts", T::I8,
                    "<Collections><Computer Name=\"a\"><MacAddr>m1</MacAddr><MacAddr>m2</MacAddr>"
                    "<NetAddr></NetAddr><NetAddr>9</NetAddr><IPAddr>i1</IPAddr><IPAddr>i2</IPAddr>"
                    "</Computer></Collections>",
                    Entry(u"M1", u"i1", u"A")},
        XmlReadCase{"i8_children_only", T::I8,
                    "<Collections><Computer Name=\"a\"><x><MacAddr>m1</MacAddr></x>"
                    "<MacAddr>m</MacAddr><IPAddr>1</IPAddr>"
                    "<Computer Name=\"inner\"><MacAddr>q</MacAddr><IPAddr>2</IPAddr></Computer>"
                    "</Computer></Collections>",
                    Entry(u"M", u"1", u"A")},
        XmlReadCase{"i8_every_computer_below_collections", T::I8,
                    "<Collections><Computer Name=\"a\"><MacAddr>m</MacAddr><IPAddr>1</IPAddr></Computer>"
                    "<Other/><Computer Name=\"b\"><MacAddr>n</MacAddr><NetAddr>  </NetAddr></Computer>"
                    "<Computer><MacAddr>x</MacAddr><IPAddr>1</IPAddr></Computer>"
                    "<Computer Name=\"c\"><MacAddr>c</MacAddr><IPAddr>3</IPAddr></Computer>"
                    "</Collections>",
                    Entry(u"M", u"1", u"A") + Entry(u"C", u"3", u"C"), 2},
        XmlReadCase{"i8_references_in_text", T::I8,
                    "<Collections><Computer Name=\"a&amp;b\"><MacAddr>&#x41;&lt;<![CDATA[&amp;]]>"
                    "</MacAddr><IPAddr>&#32;1&#32;</IPAddr></Computer></Collections>",
                    Entry(u"A<&AMP;", u"1", u"A&B")},
        XmlReadCase{"i8_only_xml_white_space_is_trimmed", T::I8,
                    "<Collections><Computer Name=\"a\"><MacAddr>&#9;m&#13;</MacAddr>"
                    "<IPAddr>&#160;1</IPAddr></Computer></Collections>",
                    Entry(u"M", u"\u00A01", u"A")},
        XmlReadCase{"i8_line_ends_in_text", T::I8,
                    "<Collections><Computer Name=\"a\"><MacAddr>m\r\nn\ro</MacAddr>"
                    "<IPAddr>1</IPAddr></Computer></Collections>",
                    Entry(u"M N O", u"1", u"A")},
        XmlReadCase{"wangwei9_ip_is_an_unsigned_decimal_number", T::Wangwei9,
                    "<ClientInfor>"
                    "<ClientConfig><Name>n0</Name><Mac>m0</Mac><IP>0</IP></ClientConfig>"
                    "<ClientConfig><Name>n1</Name><Mac>m1</Mac><IP> 7 </IP></ClientConfig>"
                    "<ClientConfig><Name>n2</Name><Mac>m2</Mac><IP>4294967296</IP></ClientConfig>"
                    "<ClientConfig><Name>n3</Name><Mac>m3</Mac><IP>12a</IP></ClientConfig>"
                    "<ClientConfig><Name>n4</Name><Mac>m4</Mac><IP></IP></ClientConfig>"
                    "<ClientConfig><Name>n5</Name><Mac>m5</Mac><IP>&#x31;2</IP></ClientConfig>"
                    "<ClientConfig><Name>n6</Name><Mac>m6</Mac><IP><![CDATA[3]]></IP></ClientConfig>"
                    "<ClientConfig><Name>n7</Name><Mac>m7</Mac><IP>1<b>2</b></IP></ClientConfig>"
                    "<ClientConfig><Name>n8</Name><Mac>m8</Mac><IP>&#xFF11;</IP></ClientConfig>"
                    "<ClientConfig><Name>n9</Name><Mac>m9</Mac><IP>00000000000000000001</IP>"
                    "</ClientConfig></ClientInfor>",
                    Entry(u"M0", u"0.0.0.0", u"N0") + Entry(u"M1", u"0.0.0.7", u"N1") +
                        Entry(u"M5", u"0.0.0.12", u"N5") + Entry(u"M6", u"0.0.0.3", u"N6") +
                        Entry(u"M7", u"0.0.0.12", u"N7") + Entry(u"M9", u"0.0.0.1", u"N9"),
                    4},
        XmlReadCase{"wangwei9_lacking_values", T::Wangwei9,
                    "<ClientInfor><ClientConfig><Name>a</Name><Mac>aa</Mac></ClientConfig>"
                    "<ClientConfig><Mac>aa</Mac><IP>1</IP></ClientConfig>"
                    "<ClientConfig><Name>b</Name><Mac> </Mac><IP>1</IP></ClientConfig>"
                    "<ClientConfig><Name></Name><Mac>aa</Mac><IP>1</IP></ClientConfig></ClientInfor>",
                    Entry(u"AA", u"0.0.0.1", u""), 3},
        XmlReadCase{"wangwei9_first_child_of_each_name_counts", T::Wangwei9,
                    "<ClientInfor><ClientConfig><x><Name>z</Name></x><Name> a </Name><Name>b</Name>"
                    "<Mac>aa</Mac><Mac>bb</Mac><IP>1</IP><IP>2</IP></ClientConfig></ClientInfor>",
                    Entry(u"AA", u"0.0.0.1", u"A")}),
    XmlReadCaseName);

}  // namespace
