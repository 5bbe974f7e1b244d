// JsonCpp's CharReader set up like the classic Reader's defaults.
#include "readers/structured/json_document.h"

#include <json/reader.h>
#include <json/value.h>

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

// The parser reports on several indented lines; the user gets them as one.
std::string JoinedLines(std::string_view report) {
  std::string line;
  while (!report.empty()) {
    const std::size_t end = std::min(report.find('\n'), report.size());
    std::string_view part = report.substr(0, end);
    report.remove_prefix(std::min(end + 1, report.size()));
    while (!part.empty() && (part.front() == ' ' || part.front() == '\t')) part.remove_prefix(1);
    while (!part.empty() && (part.back() == ' ' || part.back() == '\r')) part.remove_suffix(1);
    if (part.empty()) continue;
    if (!line.empty()) line += ' ';
    line += part;
  }
  return line;
}

}  // namespace

bool ParseJsonDocument(std::string_view text, Json::Value& root, std::string& errors) {
  Json::CharReaderBuilder builder;
  builder["collectComments"] = false;
  builder["allowComments"] = true;
  builder["allowTrailingCommas"] = false;
  builder["strictRoot"] = false;
  builder["allowDroppedNullPlaceholders"] = false;
  builder["allowNumericKeys"] = false;
  builder["allowSingleQuotes"] = false;
  builder["failIfExtra"] = false;
  builder["rejectDupKeys"] = false;
  builder["allowSpecialFloats"] = false;
  builder["skipBom"] = false;
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  std::string report;
  try {
    if (reader->parse(text.data(), text.data() + text.size(), &root, &report)) return true;
  } catch (const Json::Exception& error) {
    report = error.what();  // nesting deeper than the parser's stack limit
  }
  errors = JoinedLines(report);
  return false;
}
