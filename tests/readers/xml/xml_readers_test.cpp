// The seven XML readers: what each does with a bad source.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "core/conversion_context.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using T = DisklessType;

constexpr T kXmlTypes[] = {T::Ccboot, T::I8, T::Pxd, T::Sanboot, T::Kuaiba, T::KuaibaLvcha,
                           T::Wangwei9};

struct OwnMessages {
  DisklessType type;
  Message openFailed;
  Message emptyFile;
};

// Types 5 and 11 read the whole file first and keep their own messages.
constexpr OwnMessages kOwnMessages[] = {
    {T::Pxd, Message::OpenPxdFailed, Message::PxdSizeFailed},
    {T::Wangwei9, Message::OpenWangweiFailed, Message::WangweiSizeFailed},
};

Message Expected(DisklessType type, Message OwnMessages::*field, Message otherwise) {
  for (const OwnMessages& row : kOwnMessages) {
    if (row.type == type) return row.*field;
  }
  return otherwise;
}

std::vector<Message> Convert(DisklessType type, const fs::path& source, const ScratchDir& dir,
                             std::vector<std::string>* details = nullptr,
                             const ConversionContext& context = ConversionContext::Default()) {
  RecordingHost host;
  ConvertMachineList(type, source, dir / "out.ONC", context, host);
  if (details) *details = host.details;
  return host.messages;
}

TEST(XmlReaders, ASourceThatCannotBeOpenedIsNeverASuccess) {
  ScratchDir dir;
  for (T type : kXmlTypes) {
    const std::vector expected{Expected(type, &OwnMessages::openFailed, Message::OpenSourceFailed)};
    EXPECT_EQ(Convert(type, dir / "missing.xml", dir), expected);
    EXPECT_EQ(Convert(type, dir.path(), dir), expected);
    EXPECT_FALSE(fs::exists(dir / "out.ONC"));
  }
}

TEST(XmlReaders, TextThatIsNotWellFormedIsNeverASuccess) {
  ScratchDir dir;
  const std::pair<const char*, std::string> sources[] = {
      {"empty", ""},
      {"truncated", "<KB><wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/></wks>"},
      {"mismatched", "<server><initiator></server>"},
      {"not_xml", "PC021 192.168.0.21 00e04c123abc\n"},
      {"nul_in_content", std::string("<?xml version='1.0' encoding='gbk'?><r>\0</r>", 45)},
      {"two_roots", "<KB><wks/></KB><KB/>"},
  };
  for (T type : kXmlTypes) {
    for (const auto& [what, bytes] : sources) {
      WriteFileBytes(dir / "source.xml", bytes);
      const Message expected = bytes.empty() ? Expected(type, &OwnMessages::emptyFile,
                                                        Message::SourceFormatInvalid)
                                             : Message::SourceFormatInvalid;
      testing::internal::CaptureStderr();
      EXPECT_EQ(Convert(type, dir / "source.xml", dir), std::vector{expected})
          << SourceTypeOf(type).slug << " " << what;
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the parser must not print";
      EXPECT_FALSE(fs::exists(dir / "out.ONC"));
    }
  }
}

// The detail under "源文件格式不正确!" tells the line and the parser's words.
TEST(XmlReaders, TextThatIsNotWellFormedNamesTheLine) {
  ScratchDir dir;
  const std::pair<T, std::string> cases[] = {
      {T::Kuaiba, "<KB>\n<wks></KB>"},
      {T::Ccboot, "<server>\r\n<initiator></server>"},
      {T::I8, "<Collections>\n<Computer></Collections>"},
      {T::Pxd, "<PXD>\n<Wks></PXD>"},
      {T::Wangwei9, "<ClientInfor>\n<ClientConfig></ClientInfor>"},
  };
  for (const auto& [type, bytes] : cases) {
    WriteFileBytes(dir / "source.xml", bytes);
    std::vector<std::string> details;
    EXPECT_EQ(Convert(type, dir / "source.xml", dir, &details),
              std::vector{Message::SourceFormatInvalid});
    ASSERT_EQ(details.size(), 1u);
    EXPECT_TRUE(details[0].starts_with("line 2: ")) << details[0];
    EXPECT_GT(details[0].size(), std::string("line 2: ").size()) << details[0];
  }
}

// Machines read before a fault far into the file are never written.
TEST(XmlReaders, AFaultAfterManyMachinesWritesNothing) {
  ScratchDir dir;
  std::string machines;
  for (int i = 0; i < 5000; ++i) {
    machines += "<pc cName=\"pc" + std::to_string(i) + "\" MAC=\"00e04c" + std::to_string(i) +
                "\" clientIP=\"10.0.0.1\"/>\n";
  }
  WriteFileBytes(dir / "source.xml", "<KB><wks>\n" + machines + "</wks></KB>");
  EXPECT_EQ(Convert(T::Kuaiba, dir / "source.xml", dir), std::vector{Message::Success});
  fs::remove(dir / "out.ONC");
  for (const std::string& end : {std::string("</wks></KBB>"), std::string("</wks>"),
                                 std::string("<pc cName=\"x\"</wks></KB>")}) {
    WriteFileBytes(dir / "source.xml", "<KB><wks>\n" + machines + end);
    EXPECT_EQ(Convert(T::Kuaiba, dir / "source.xml", dir), std::vector{Message::SourceFormatInvalid})
        << end;
    EXPECT_FALSE(fs::exists(dir / "out.ONC")) << end;
  }
}

TEST(XmlReaders, AMissingContainerIsReportedAndNothingWritten) {
  ScratchDir dir;
  const std::tuple<T, std::string, std::string> cases[] = {
      {T::Kuaiba, "<KB><Wks/></KB>", "/KB/wks"},
      {T::Kuaiba, "<LC><wks/></LC>", "/KB/wks"},
      {T::KuaibaLvcha, "<LC/>", "/LC/wks"},
      {T::Pxd, "<PXD><wks/></PXD>", "/PXD/Wks"},
      {T::Ccboot, "<server><initiators/></server>", "/server/initiator"},
  };
  for (const auto& [type, bytes, path] : cases) {
    WriteFileBytes(dir / "source.xml", bytes);
    std::vector<std::string> details;
    EXPECT_EQ(Convert(type, dir / "source.xml", dir, &details),
              std::vector{Message::SourceFormatInvalid})
        << bytes;
    ASSERT_EQ(details.size(), 1u);
    EXPECT_NE(details[0].find(path), std::string::npos) << details[0];
    EXPECT_FALSE(fs::exists(dir / "out.ONC"));
  }
}

TEST(XmlReaders, ADocumentWithoutMachinesGivesAnEmptyList) {
  ScratchDir dir;
  const std::pair<T, std::string> cases[] = {
      {T::Sanboot, "<Clients><!-- none yet --></Clients>"},
      {T::Kuaiba, "<KB><wks/></KB>"},
      {T::Pxd, "<PXD><Wks>\r\n</Wks></PXD>"},
      {T::Wangwei9, "<ClientInfor/>"},
      {T::Wangwei9, "<Other><ClientConfig><Name>a</Name><Mac>aa</Mac><IP>1</IP></ClientConfig></Other>"},
      {T::I8, "<Collections/>"},
      {T::Ccboot, "<server><initiator/></server>"},
  };
  for (const auto& [type, bytes] : cases) {
    WriteFileBytes(dir / "source.xml", bytes);
    EXPECT_EQ(Convert(type, dir / "source.xml", dir), std::vector{Message::Success}) << bytes;
    EXPECT_EQ(ReadFileBytes(dir / "out.ONC"), "") << bytes;
    fs::remove(dir / "out.ONC");
  }
}

// Types 5 and 11 read their file in the run's ANSI code page, whatever it declares.
TEST(XmlReaders, WholeFileTypesDecodeInTheRunsCodePage) {
  ScratchDir dir;
  const std::pair<T, std::string> cases[] = {
      {T::Pxd, "<?xml version=\"1.0\" encoding=\"gb2312\"?>"
               "<PXD><Wks><W ComName=\"网吧\" MAC=\"aa\" WksIP=\"1\"/></Wks></PXD>"},
      {T::Wangwei9, "<?xml version=\"1.0\" encoding=\"gbk\"?>"
                    "<ClientInfor><ClientConfig><Name>网吧</Name><Mac>aa</Mac><IP>1</IP>"
                    "</ClientConfig></ClientInfor>"},
  };
  const std::optional<ConversionContext> utf8Run = ConversionContext::ForCodePage(kUtf8CodePage);
  ASSERT_TRUE(utf8Run);
  for (const auto& [type, utf8] : cases) {
    WriteFileBytes(dir / "source.xml", utf8);
    EXPECT_EQ(Convert(type, dir / "source.xml", dir, nullptr, *utf8Run),
              std::vector{Message::Success});
    EXPECT_NE(ReadFileBytes(dir / "out.ONC").find("Name=网吧\t\n"), std::string::npos)
        << SourceTypeOf(type).slug;
    fs::remove(dir / "out.ONC");
  }
}

}  // namespace
