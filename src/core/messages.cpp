// The one table of message texts.
#include "core/messages.h"

#include <array>
#include <cstddef>

#include "core/conversion_report.h"

namespace {

struct MessageRow {
  Message message;
  std::string_view text;
};

constexpr std::array kMessages = {
    MessageRow{Message::PathEmpty, "文件路径不能为空!"},
    MessageRow{Message::Success, "生成成功!"},
    MessageRow{Message::CreateFileFailed, "创建文件失败!"},
    MessageRow{Message::WriteFileFailed, "写文件失败!"},
    MessageRow{Message::BufferTooSmall, "缓冲区不够!"},
    MessageRow{Message::OpenV5Failed, "打开V5文件失败!"},
    MessageRow{Message::OpenAldFailed, "打开ALD文件失败!"},
    MessageRow{Message::AldSizeFailed, "获取ALD文件大小失败!"},
    MessageRow{Message::ReadAldFailed, "读取ALD文件失败!"},
    MessageRow{Message::OpenPxdFailed, "打开pxd文件失败!"},
    MessageRow{Message::PxdSizeFailed, "获取pxd文件大小失败!"},
    MessageRow{Message::ReadPxdFailed, "读取pxd文件失败!"},
    MessageRow{Message::OpenWangweiFailed, "打开网维文件失败!"},
    MessageRow{Message::WangweiSizeFailed, "获取网维文件大小失败!"},
    MessageRow{Message::ReadWangweiFailed, "读取网维文件失败!"},
    MessageRow{Message::OpenShunwupanFailed, "打开顺无盘文件失败!"},
    MessageRow{Message::ShunwupanSizeFailed, "获取顺无盘文件大小失败!"},
    MessageRow{Message::ReadShunwupanFailed, "读取顺无盘文件失败!"},
    MessageRow{Message::ReadShunwupanContentFailed, "读取顺无盘文件内容失败!"},
    MessageRow{Message::OpenSourceFailed, "打开源文件失败!"},
    MessageRow{Message::SourceFormatInvalid, "源文件格式不正确!"},
    MessageRow{Message::ReadDatabaseFailed, "读取数据库失败!"},
    MessageRow{Message::OutputIsSource, "保存路径与源文件相同!"},
    MessageRow{Message::OutOfMemory, "内存不足!"},
};

constexpr bool RowsFollowEnumOrder() {
  for (std::size_t i = 0; i < kMessages.size(); ++i) {
    if (static_cast<std::size_t>(kMessages[i].message) != i) return false;
  }
  return kMessages.back().message == Message::OutOfMemory;
}
static_assert(RowsFollowEnumOrder(), "one row per message, in the order of the enum");

// The report's wording. Each figure follows its words, as in
// "已写入 120 台机器；跳过 3 条记录（缺少值 2，格式不符 1）；重复的 MAC 地址 1 个，重复的 IP 地址 2 个；
// 值中换行已改为空格的机器 1 台".
struct SkipReasonRow {
  SkipReason reason;
  std::string_view words;
};

constexpr std::array<SkipReasonRow, kSkipReasonCount> kSkipReasons = {{
    {SkipReason::LackingValue, "缺少值"},
    {SkipReason::NotAMachine, "格式不符"},
}};

constexpr bool SkipReasonRowsFollowEnumOrder() {
  for (std::size_t i = 0; i < kSkipReasons.size(); ++i) {
    if (static_cast<std::size_t>(kSkipReasons[i].reason) != i) return false;
  }
  return true;
}
static_assert(SkipReasonRowsFollowEnumOrder(), "one row per skip reason, in the order of the enum");

std::string Figure(std::size_t count) { return std::to_string(count); }

}  // namespace

std::string ReportText(const ConversionReport& report) {
  std::string text = "已写入 " + Figure(report.machines) + " 台机器";
  if (const std::size_t skipped = report.skipped.Total(); skipped != 0) {
    text += "；跳过 " + Figure(skipped) + " 条记录（";
    const char* separator = "";
    for (const SkipReasonRow& row : kSkipReasons) {
      const std::size_t count = report.skipped.Count(row.reason);
      if (count == 0) continue;
      text.append(separator).append(row.words) += " " + Figure(count);
      separator = "，";
    }
    text += "）";
  }
  const char* separator = "；";
  if (report.repeatedMacs != 0) {
    text.append(separator) += "重复的 MAC 地址 " + Figure(report.repeatedMacs) + " 个";
    separator = "，";
  }
  if (report.repeatedIps != 0) {
    text.append(separator) += "重复的 IP 地址 " + Figure(report.repeatedIps) + " 个";
  }
  if (report.machinesWithLineBreaks != 0) {
    text += "；值中换行已改为空格的机器 " + Figure(report.machinesWithLineBreaks) + " 台";
  }
  return text;
}

std::string_view MessageText(Message message) {
  return kMessages[static_cast<std::size_t>(message)].text;
}
