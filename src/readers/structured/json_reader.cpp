// The JSON reader: one entry per object in "macList".
#include "readers/structured/json_reader.h"

#include <optional>
#include <string_view>

#include "core/code_page.h"
#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "core/utf8.h"
#include "readers/structured/json_document.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kListMember = "macList";
constexpr std::string_view kMacMember = "mac";
constexpr std::string_view kIpMember = "ip";
constexpr std::string_view kNameMember = "pc";

// The member's text: a string as parsed, a number or boolean as the document
// writes it, "" when missing or null; nothing for an object or an array, which
// makes the element unusable.
std::optional<std::string> MemberText(const Json::Value& element, std::string_view member,
                                      std::string_view document) {
  const Json::Value* value = element.find(member.data(), member.data() + member.size());
  if (!value || value->isNull()) return std::string();
  if (value->isString()) return value->asString();
  if (value->isObject() || value->isArray()) return std::nullopt;
  const auto start = static_cast<std::size_t>(value->getOffsetStart());
  const auto limit = static_cast<std::size_t>(value->getOffsetLimit());
  if (start > limit || limit > document.size()) return value->asString();
  return std::string(document.substr(start, limit - start));
}

}  // namespace

bool ReadJsonSource(DisklessType, const std::u16string& sourcePath, std::u16string& output,
                    ConversionHost& host) {
  const std::optional<std::string> bytes = ReadSourceBytes(sourcePath);
  if (!bytes) {
    host.ShowMessage(Message::OpenSourceFailed);
    return false;
  }
  std::string_view document = *bytes;
  if (document.starts_with(kUtf8Mark)) document.remove_prefix(kUtf8Mark.size());
  Json::Value root;
  std::string errors;
  if (!ParseJsonDocument(document, root, errors)) {
    host.ShowMessage(Message::SourceFormatInvalid, errors);
    return false;
  }
  if (!root.isObject()) {
    host.ShowMessage(Message::SourceFormatInvalid, "the document is not a JSON object");
    return false;
  }
  const Json::Value* list = root.find(kListMember.data(), kListMember.data() + kListMember.size());
  if (!list || !list->isArray()) return true;
  for (const Json::Value& element : *list) {
    if (!element.isObject()) continue;
    const std::optional<std::string> mac = MemberText(element, kMacMember, document);
    const std::optional<std::string> ip = MemberText(element, kIpMember, document);
    const std::optional<std::string> name = MemberText(element, kNameMember, document);
    if (!mac || !ip || !name) continue;
    std::u16string wideMac = AnsiToWide(*mac);
    std::u16string wideName = Utf8ToWide(*name);
    UpperCaseAToZ(wideMac);
    UpperCaseAToZ(wideName);
    AppendMachineEntry(output, wideMac, AnsiToWide(*ip), wideName);
  }
  return true;
}
