// The report after a written list: machines written, records skipped by
// reason, repeated addresses; the list itself exactly as without it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/conversion_run.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

struct ReportCase {
  const char* what;
  DisklessType type;
  std::string source;
  std::string report;
};

// Lvhua lines are "NAME IP MAC" and any other field count is no machine;
// xinyou lines are "NAME,IP,MAC" after a heading, and need their MAC.
const ReportCase kReportCases[] = {
    {"an empty list", DisklessType::Lvhua, "", "已写入 0 台机器"},
    {"nothing to tell but the count", DisklessType::Lvhua, "A 10.0.0.1 AA\nB 10.0.0.2 BB\n",
     "已写入 2 台机器"},
    {"blank lines are no records", DisklessType::Lvhua, "\n\nA 10.0.0.1 AA\n\n", "已写入 1 台机器"},
    {"a record of another shape", DisklessType::Lvhua, "A 10.0.0.1 AA\nB 10.0.0.2\nC D E F\n",
     "已写入 1 台机器；跳过 2 条记录（格式不符 2）"},
    {"a machine lacking its MAC", DisklessType::Xinyou, "Name,IP,MAC\nA,10.0.0.1,,x\nB,10.0.0.2,BB\n",
     "已写入 1 台机器；跳过 1 条记录（缺少值 1）"},
    {"both reasons", DisklessType::Xinyou, "Name,IP,MAC\nA,10.0.0.1,,x\nB,10.0.0.2\nC,10.0.0.3,CC\n",
     "已写入 1 台机器；跳过 2 条记录（缺少值 1，格式不符 1）"},
    {"a MAC three times is one repeated MAC", DisklessType::Lvhua,
     "A 10.0.0.1 AA\nB 10.0.0.2 AA\nC 10.0.0.3 AA\nD 10.0.0.4 DD\n",
     "已写入 4 台机器；重复的 MAC 地址 1 个"},
    {"MACs differing in case are the same", DisklessType::Lvhua,
     "A 10.0.0.1 00e04c0000ab\nB 10.0.0.2 00E04C0000AB\n", "已写入 2 台机器；重复的 MAC 地址 1 个"},
    {"repeated IPs alone", DisklessType::Lvhua,
     "A 10.0.0.1 AA\nB 10.0.0.1 BB\nC 10.0.0.2 CC\nD 10.0.0.2 DD\n",
     "已写入 4 台机器；重复的 IP 地址 2 个"},
    {"empty values are no address", DisklessType::Xinyou, "Name,IP,MAC\nA,,AA\nB,,BB\n",
     "已写入 2 台机器"},
    {"a line break in a value", DisklessType::Xinyou,
     "Name,IP,MAC\nA\r[FF],10.0.0.1,AA\nB,10.0.0.2\rIPAddr=6.6.6.6,BB\nC,10.0.0.3,CC\n",
     "已写入 3 台机器；值中换行已改为空格的机器 2 台"},
    {"everything at once", DisklessType::Xinyou,
     "Name,IP,MAC\nA,10.0.0.1,AA\nB,10.0.0.1,aa\nC,10.0.0.1,,x\nD,10.0.0.2,DD\nE,10.0.0.2,EE\nF\n",
     "已写入 4 台机器；跳过 2 条记录（缺少值 1，格式不符 1）；重复的 MAC 地址 1 个，"
     "重复的 IP 地址 2 个"},
};

TEST(ConversionReport, TheSuccessMessageCarriesTheFigures) {
  for (const ReportCase& c : kReportCases) {
    ScratchDir dir;
    WriteFileBytes(dir / "list.txt", c.source);
    RecordingHost host;
    ConvertMachineList(c.type, dir / "list.txt", dir / "computer.ONC",
                       ConversionContext::Default(), host);
    EXPECT_EQ(host.messages, std::vector{Message::Success}) << c.what;
    EXPECT_EQ(host.details, std::vector{c.report}) << c.what;
    EXPECT_EQ(host.endedOk, 1) << c.what;
  }
}

// The machines the report counts are the machines written: the report takes
// nothing from the list and adds nothing to it.
TEST(ConversionReport, TheListIsWrittenAsBefore) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "A 10.0.0.1 AA\nB 10.0.0.1 AA\nbad\n");
  RecordingHost host;
  ConvertMachineList(DisklessType::Lvhua, dir / "list.txt", dir / "computer.ONC",
                     ConversionContext::Default(), host);
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            "[AA]\t\nIPAddr=10.0.0.1\t\nName=A\t\n[AA]\t\nIPAddr=10.0.0.1\t\nName=B\t\n");
}

// A failure's detail stays a library's words, never a report.
TEST(ConversionReport, NoReportWithoutAWrittenList) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt", "A 10.0.0.1 AA\n");
  RecordingHost host;
  ConvertMachineList(DisklessType::Lvhua, dir / "list.txt", dir / "no folder" / "computer.ONC",
                     ConversionContext::Default(), host);
  EXPECT_EQ(host.messages, std::vector{Message::CreateFileFailed});
  EXPECT_EQ(host.details, std::vector<std::string>{""});
}

}  // namespace
