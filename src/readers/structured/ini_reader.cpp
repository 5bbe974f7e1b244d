// The INI reader and where each type keeps its MAC, IP and name.
#include "readers/structured/ini_reader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "readers/structured/profile_file.h"
#include "readers/structured/profile_text.h"

namespace {

struct IniField {
  std::u16string_view key;  // empty: the section's own name
  bool skipWhenEmpty;       // a section whose value is empty gives no machine
};

struct IniLayout {
  DisklessType type;
  // The section-name list buffer, in characters: the names, each with its
  // NUL, must take fewer than this less two.
  std::size_t sectionListCapacity;
  IniField mac;
  IniField ip;
  IniField name;
  bool macWithColons;
};

constexpr std::u16string_view kSectionName{};

constexpr std::array kLayouts = {
    IniLayout{DisklessType::Ruiqi, 5200, {kSectionName, true}, {u"IpAddr", false},
              {u"WksName", false}, true},
    IniLayout{DisklessType::Mzd, 5200, {u"MAC", true}, {u"WksIP", true}, {u"ComName", true}, true},
    IniLayout{DisklessType::Obm, 10400, {u"MAC", true}, {u"IPAddr", true}, {u"WksName", true},
              true},
    IniLayout{DisklessType::Wangzhong, 10400, {u"MAC", true}, {u"IP", true},
              {kSectionName, false}, false},
};

const IniLayout* FindLayout(DisklessType type) {
  const auto row = std::find_if(kLayouts.begin(), kLayouts.end(),
                                [type](const IniLayout& r) { return r.type == type; });
  return row == kLayouts.end() ? nullptr : &*row;
}

std::u16string FieldValue(const ProfileFile& profile, const std::u16string& section,
                          const IniField& field) {
  return field.key.empty() ? section : profile.Value(section, field.key);
}

bool IsSkipped(const IniField& field, const std::u16string& value) {
  return field.skipWhenEmpty && value.empty();
}

}  // namespace

bool ReadIniSource(DisklessType type, const std::u16string& sourcePath, std::u16string& output,
                   ConversionHost& host) {
  const IniLayout* layout = FindLayout(type);
  const std::optional<std::string> bytes = ReadSourceBytes(sourcePath);
  if (!layout || !bytes) {
    host.ShowMessage(Message::OpenSourceFailed);
    return false;
  }
  const ProfileFile profile(DecodeProfileText(*bytes));
  // The Windows list call gives N - 2 both when the names do not fit and when
  // they fill exactly N - 2 characters; either way the reader gives up.
  if (profile.SectionNameListLength() >= layout->sectionListCapacity - 2) {
    host.ShowMessage(Message::BufferTooSmall);
    return false;
  }
  for (const std::u16string& section : profile.SectionNames()) {
    std::u16string mac = FieldValue(profile, section, layout->mac);
    const std::u16string ip = FieldValue(profile, section, layout->ip);
    std::u16string name = FieldValue(profile, section, layout->name);
    if (IsSkipped(layout->mac, mac) || IsSkipped(layout->ip, ip) ||
        IsSkipped(layout->name, name)) {
      continue;
    }
    if (layout->macWithColons) mac = FormatMacWithColons(mac);
    UpperCaseAToZ(mac);
    UpperCaseAToZ(name);
    AppendMachineEntry(output, mac, ip, name);
  }
  return true;
}
