// Every text the conversion shows to the user, by name.
#pragma once

#include <string>
#include <string_view>

struct ConversionReport;

enum class Message {
  PathEmpty,
  Success,
  CreateFileFailed,
  WriteFileFailed,
  BufferTooSmall,
  OpenV5Failed,
  OpenAldFailed,
  AldSizeFailed,
  ReadAldFailed,
  OpenPxdFailed,
  PxdSizeFailed,
  ReadPxdFailed,
  OpenWangweiFailed,
  WangweiSizeFailed,
  ReadWangweiFailed,
  OpenShunwupanFailed,
  ShunwupanSizeFailed,
  ReadShunwupanFailed,
  ReadShunwupanContentFailed,
  OpenSourceFailed,
  SourceFormatInvalid,
  ReadDatabaseFailed,
  OutputIsSource,
  OutOfMemory,
};

// The caption of every message box.
inline constexpr std::string_view kMessageCaption = "提示";

// UTF-8 text of a message, exactly as the user sees it.
[[nodiscard]] std::string_view MessageText(Message message);

// The line told after "生成成功!": the machines written; the records skipped,
// by reason, when any; the repeated MAC and IP addresses, when any (UTF-8).
[[nodiscard]] std::string ReportText(const ConversionReport& report);
