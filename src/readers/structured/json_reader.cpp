// The JSON reader: one entry per object in "macList".
#include "readers/structured/json_reader.h"

#include <optional>
#include <string_view>

#include <json/value.h>

#include "core/byte_order_mark.h"
#include "core/source_bytes.h"
#include "core/utf8.h"
#include "readers/structured/json_document.h"

namespace {

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

ReadOutcome ReadJsonSource(const SourceRequest& request, const JsonLayout& layout) {
  const std::optional<std::string> bytes = ReadSourceBytes(request.source);
  if (!bytes) return ReadOutcome::Failed(request.messages.openFailed);
  std::string_view document = *bytes;
  const std::string_view utf8Mark = ByteOrderMarkBytes(TextEncoding::Utf8);
  if (document.starts_with(utf8Mark)) document.remove_prefix(utf8Mark.size());
  Json::Value root;
  std::string errors;
  if (!ParseJsonDocument(document, root, errors)) {
    return ReadOutcome::Failed(Message::SourceFormatInvalid, errors);
  }
  if (!root.isObject()) {
    return ReadOutcome::Failed(Message::SourceFormatInvalid, "the document is not a JSON object");
  }
  ReadOutcome outcome;
  const std::string_view listName = layout.listMember;
  const Json::Value* list = root.find(listName.data(), listName.data() + listName.size());
  if (!list || !list->isArray()) return outcome;
  const platform::CodePage& ansi = request.context.ansi();
  for (const Json::Value& element : *list) {
    if (!element.isObject()) {
      outcome.skipped.Add(SkipReason::NotAMachine);
      continue;
    }
    const std::optional<std::string> mac = MemberText(element, layout.macMember, document);
    const std::optional<std::string> ip = MemberText(element, layout.ipMember, document);
    const std::optional<std::string> name = MemberText(element, layout.nameMember, document);
    if (!mac || !ip || !name) {
      outcome.skipped.Add(SkipReason::NotAMachine);
      continue;
    }
    std::u16string wideMac = ansi.Decode(*mac);
    std::u16string wideName = Utf8ToWide(*name);
    ApplyMachineRules(layout.rules, wideMac, wideName);
    outcome.machines.Add(wideMac, ansi.Decode(*ip), wideName);
  }
  return outcome;
}
