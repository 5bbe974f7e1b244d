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

// Only the names that can be listed and the values the layout reads are kept.
ProfileSelection KeptOf(const IniLayout& layout) {
  ProfileSelection selection;
  selection.keys.emplace();
  for (const IniField* field : {&layout.mac, &layout.ip, &layout.name}) {
    if (!field->key.empty()) selection.keys->push_back(field->key);
  }
  // The Windows list call gives N - 2 both when the names do not fit and when
  // they fill exactly N - 2 characters; either way the reader gives up.
  selection.nameListLimit = layout.sectionListCapacity - 2;
  return selection;
}

}  // namespace

ReadOutcome ReadIniSource(const SourceRequest& request, const IniLayout& layout) {
  const std::optional<std::string> bytes = ReadSourceBytes(request.source);
  if (!bytes) return ReadOutcome::Failed(request.messages.openFailed);
  ProfileFile profile(KeptOf(layout));
  DecodeProfileTextInPieces(*bytes, request.context.ansi(), [&](std::u16string_view piece) {
    profile.Feed(piece);
    return !profile.NameListFull();
  });
  profile.Finish();
  if (profile.NameListFull()) return ReadOutcome::Failed(Message::BufferTooSmall);
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
