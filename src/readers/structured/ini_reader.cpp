// The INI reader: one machine per section, values where the layout says.
#include "readers/structured/ini_reader.h"

#include <optional>

#include "core/field_format.h"
#include "core/source_bytes.h"
#include "readers/structured/profile_file.h"
#include "readers/structured/profile_text.h"

namespace {

std::u16string FieldValue(const ProfileFile& profile, const std::u16string& section,
                          const IniField& field) {
  return field.key.empty() ? section : profile.Value(section, field.key);
}

bool IsSkipped(const IniField& field, const std::u16string& value) {
  return field.skipWhenEmpty && value.empty();
}

}  // namespace

ReadOutcome ReadIniSource(const SourceRequest& request, const IniLayout& layout) {
  const std::optional<std::string> bytes = ReadSourceBytes(request.source);
  if (!bytes) return ReadOutcome::Failed(request.messages.openFailed);
  const ProfileFile profile(DecodeProfileText(*bytes, request.context.ansi()));
  // The Windows list call gives N - 2 both when the names do not fit and when
  // they fill exactly N - 2 characters; either way the reader gives up.
  if (profile.SectionNameListLength() >= layout.sectionListCapacity - 2) {
    return ReadOutcome::Failed(Message::BufferTooSmall);
  }
  ReadOutcome outcome;
  for (const std::u16string& section : profile.SectionNames()) {
    std::u16string mac = FieldValue(profile, section, layout.mac);
    const std::u16string ip = FieldValue(profile, section, layout.ip);
    std::u16string name = FieldValue(profile, section, layout.name);
    if (IsSkipped(layout.mac, mac) || IsSkipped(layout.ip, ip) || IsSkipped(layout.name, name)) {
      outcome.skipped.Add(SkipReason::LackingValue);
      continue;
    }
    ApplyMachineRules(layout.rules, mac, name);
    outcome.machines.Add(mac, ip, name);
  }
  return outcome;
}
