// The cheap look at a source's start: for every type of the table, a minimal
// source at each score the type can give, built from the type's own settings.
#include "conversion/structure_evidence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "conversion/source_types.h"
#include "core/utf8.h"

namespace {

constexpr std::string_view kMac = "00e04c123a01";
constexpr std::string_view kIp = "10.0.0.1";
constexpr std::string_view kNotAMac = "hello";

struct Sample {
  int score;
  std::string bytes;
};

using Samples = std::vector<Sample>;

std::string Utf8(std::u16string_view text) { return Utf16ToUtf8Whole(text); }

Samples SamplesFor(const AldLayout& layout) {
  const std::string empty(layout.recordSize, '\0');
  const auto withMac = [&](std::string_view mac) {
    std::string record = empty;
    record.replace(layout.macOffset, mac.size(), mac);
    return record;
  };
  return {
      {kNoStructure, std::string(layout.recordSize - 1, '\0')},
      {kOutlineStructure, empty},
      {kOutlineStructure, withMac(kNotAMac)},
      // Empty slots before it: the first record that holds a MAC tells.
      {kFullStructure, empty + withMac(kMac)},
  };
}

Samples SamplesFor(const SqliteLayout& layout) {
  const std::string header("SQLite format 3\0", 16);
  return {
      {kNoStructure, "hello"},
      {kOutlineStructure, header},
      // The query names the table its schema holds.
      {kStorageStructure, header + "CREATE TABLE x; " + layout.query},
  };
}

Samples SamplesFor(const AccessLayout&) {
  return {
      {kNoStructure, "Standard Jet DB"},
      {kStorageStructure, std::string("\0\1\0\0Standard Jet DB\0", 20)},
      {kStorageStructure, std::string("\0\1\0\0Standard ACE DB\0", 20)},
  };
}

// A section holding the keys the layout names (all, or all but one).
std::string IniSection(const IniLayout& layout, std::string_view name, std::string_view mac,
                       bool everyKey) {
  std::string section = "[" + std::string(layout.mac.key.empty() ? mac : name) + "]\n";
  bool dropped = everyKey;
  const std::pair<const IniField*, std::string_view> fields[] = {
      {&layout.ip, kIp}, {&layout.name, "a"}, {&layout.mac, mac}};
  for (const auto& [field, value] : fields) {
    if (field->key.empty()) continue;
    if (!dropped) {
      dropped = true;
      continue;
    }
    section += Utf8(field->key) + "=" + std::string(value) + "\n";
  }
  return section;
}

Samples SamplesFor(const IniLayout& layout) {
  return {
      {kNoStructure, "no section\n"},
      {kOutlineStructure, IniSection(layout, "1", kMac, false)},
      {kStorageStructure, IniSection(layout, "1", kNotAMac, true)},
      {kFullStructure,
       IniSection(layout, "1", kNotAMac, true) + IniSection(layout, "2", kMac, true)},
  };
}

// A line of the layout's field count, "x" wherever no value is given.
std::string DelimitedLine(const DelimitedLineLayout& layout,
                          std::vector<std::pair<std::size_t, std::string_view>> values) {
  const std::size_t count =
      std::max({layout.minFields, layout.macField + 1, layout.ipField + 1, layout.nameField + 1});
  std::vector<std::string> fields(count, "x");
  for (const auto& [index, value] : values) fields[index] = value;
  std::string line;
  for (const std::string& field : fields) {
    if (!line.empty()) line += static_cast<char>(layout.delimiter);
    line += field;
  }
  return line + "\n";
}

Samples SamplesFor(const DelimitedLineLayout& layout) {
  const std::string heading = layout.skipFirstLine ? DelimitedLine(layout, {}) : "";
  const std::string machine =
      DelimitedLine(layout, {{layout.macField, kMac}, {layout.ipField, kIp}});
  Samples samples = {
      {kNoStructure, "x\n"},
      {kOutlineStructure, heading + DelimitedLine(layout, {})},
      // A MAC and an IP address in the first two fields, where this type keeps neither.
      {kOutlineStructure, heading + DelimitedLine(layout, {{0, kMac}, {1, kIp}})},
      {kFullStructure, heading + machine},
  };
  // The first line is a heading, even when it holds a machine.
  if (layout.skipFirstLine) samples.push_back({kNoStructure, machine});
  return samples;
}

Samples SamplesFor(const JsonLayout& layout) {
  const auto name = [](std::string_view member) { return "\"" + std::string(member) + "\""; };
  const std::string list = name(layout.listMember);
  return {
      {kNoStructure, "[]"},
      {kOutlineStructure, "{}"},
      {kStorageStructure, "{" + list + ":[]}"},
      {kFullStructure, "{" + list + ":[{" + name(layout.macMember) + ":\"" + std::string(kMac) +
                           "\"," + name(layout.ipMember) + ":\"" + std::string(kIp) + "\"}]}"},
  };
}

Samples SamplesFor(const TokenScanLayout& layout) {
  const std::ptrdiff_t first =
      std::min({layout.nameDistance, layout.macDistance, std::ptrdiff_t{0}});
  std::vector<std::string> tokens(static_cast<std::size_t>(layout.ipDistance - first + 1), "x");
  const auto at = [&](std::ptrdiff_t distance) -> std::string& {
    return tokens[static_cast<std::size_t>(distance - first)];
  };
  const auto joined = [&] {
    std::string text;
    for (const std::string& token : tokens) text += token + " ";
    return text;
  };
  at(0) = layout.keyToken;
  const std::string keyOnly = joined();
  at(layout.macDistance) = kMac;
  at(layout.ipDistance) = kIp;
  return {
      {kNoStructure, "x x x"},
      {kOutlineStructure, keyOnly},
      {kFullStructure, joined()},
  };
}

// "/A/B" gives {"A", "B"}.
std::vector<std::string> PathSteps(std::u16string_view path) {
  std::vector<std::string> steps;
  while (path.starts_with(u'/')) {
    path.remove_prefix(1);
    const std::u16string_view step = path.substr(0, path.find(u'/'));
    steps.push_back(Utf8(step));
    path.remove_prefix(step.size());
  }
  return steps;
}

// The elements of the path, one inside the other, around inner.
std::string Nested(const std::vector<std::string>& steps, std::size_t count,
                   const std::string& inner) {
  std::string text = inner;
  for (std::size_t i = count; i-- > 0;) text = "<" + steps[i] + ">" + text + "</" + steps[i] + ">";
  return text;
}

// A container's children are machines; an empty path: the root's children.
Samples ContainerSamples(std::u16string_view containerPath, const std::string& badMachine,
                         const std::string& machine) {
  std::vector<std::string> steps = PathSteps(containerPath);
  if (steps.empty()) {
    return {
        {kNoStructure, "x"},
        {kNoStructure, "<r/>"},
        {kStorageStructure, "<r>" + badMachine + "</r>"},
        {kFullStructure, "<r>" + machine + "</r>"},
    };
  }
  Samples samples = {
      {kNoStructure, "x"},
      {kStorageStructure, Nested(steps, steps.size(), "")},
      {kFullStructure, Nested(steps, steps.size(), machine)},
  };
  if (steps.size() > 1) samples.push_back({kOutlineStructure, Nested(steps, 1, "")});
  if (!badMachine.empty()) {
    samples.push_back({kStorageStructure, Nested(steps, steps.size(), badMachine)});
  }
  return samples;
}

Samples SamplesFor(const InitiatorLayout& layout) {
  return ContainerSamples(layout.containerPath, "", "<c/>");
}

// Every element at the path is a machine.
Samples MachinePathSamples(std::u16string_view machinesPath) {
  const std::vector<std::string> steps = PathSteps(machinesPath);
  return {
      {kNoStructure, "x"},
      {kOutlineStructure, Nested(steps, steps.size() - 1, "")},
      {kFullStructure, Nested(steps, steps.size(), "")},
  };
}

Samples SamplesFor(const ComputerCollectionLayout& layout) {
  return MachinePathSamples(layout.machinesPath);
}

Samples SamplesFor(const ClientConfigLayout& layout) {
  return MachinePathSamples(layout.machinesPath);
}

Samples SamplesFor(const AttributeXmlLayout& layout) {
  const auto machine = [&](std::string_view mac) {
    return "<m " + Utf8(layout.nameAttribute) + "=\"a\" " + Utf8(layout.macAttribute) + "=\"" +
           std::string(mac) + "\" " + Utf8(layout.ipAttribute) + "=\"" + std::string(kIp) +
           "\"/>";
  };
  return ContainerSamples(layout.containerPath, machine(kNotAMac), machine(kMac));
}

std::string Escaped(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    if (c == '\0') {
      text += "\\0";
    } else if (c == '\n') {
      text += "\\n";
    } else {
      text += c;
    }
  }
  return text;
}

int EvidenceOf(const ReaderSettings& settings, std::string bytes) {
  const ConversionContext context = ConversionContext::Default();
  const SourceHead head{"source", bytes.size(), std::move(bytes)};
  return StructureEvidence(settings, head, context.ansi());
}

TEST(StructureEvidence, EveryTypeGivesEachOfItsScoresForAMinimalSource) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    const Samples samples =
        std::visit([](const auto& layout) { return SamplesFor(layout); }, row.settings);
    for (const Sample& sample : samples) {
      EXPECT_EQ(EvidenceOf(row.settings, sample.bytes), sample.score)
          << row.slug << ": \"" << Escaped(sample.bytes).substr(0, 200) << "\"";
    }
  }
}

// The JSON reader skips comments between any two tokens; so does the look.
TEST(StructureEvidence, JsonCommentsAreSkippedAndStringsAreNoComments) {
  const ReaderSettings& settings = SourceTypeOf(DisklessType::Xinyou6).settings;
  const std::string machine = R"({"macList":[{"mac":"00e04c123a01","ip":"10.0.0.1"}]})";
  const struct {
    std::string bytes;
    int score;
  } cases[] = {
      {"// 信佑6\n" + machine, kFullStructure},
      {"// a lone CR ends it\r" + machine, kFullStructure},
      {"/* 信佑6 */ /**/ " + machine, kFullStructure},
      {"\xEF\xBB\xBF/* after the mark */\n" + machine, kFullStructure},
      {"/* unclosed " + machine, kNoStructure},
      {"/x " + machine, kNoStructure},
      {"// " + machine, kNoStructure},
      {"{ // \"macList\" \"mac\" \"ip\"\n}", kOutlineStructure},
      {"{ /* \"macList\" */ }", kOutlineStructure},
      {R"({"macList": /* "mac" "ip" */ []})", kStorageStructure},
      {R"({"url":"http://x", "macList":[]})", kStorageStructure},
      {R"({"note":"/* not a comment", "macList":[], "x":"*/"})", kStorageStructure},
      {R"({"note":"\" \\", "macList":[]})", kStorageStructure},
  };
  for (const auto& c : cases) EXPECT_EQ(EvidenceOf(settings, c.bytes), c.score) << c.bytes;
}

// Only the layout's MAC and IP fields tell a machine's line.
TEST(StructureEvidence, DelimitedLinesAreReadInTheLayoutsColumns) {
  const struct {
    DisklessType type;
    std::string bytes;
    int score;
  } cases[] = {
      {DisklessType::Lvhua, "PC001 192.168.0.101 00e04c123a01\n", kFullStructure},
      {DisklessType::Lvhua, "00e04c123a01 192.168.0.101 PC001\n", kOutlineStructure},
      {DisklessType::Xinyou, "name,ip,mac\nPC001,192.168.0.101,00e04c123a01\n", kFullStructure},
      {DisklessType::Xinyou, "name,ip,mac\n00e04c123a01,192.168.0.101,PC001\n", kOutlineStructure},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EvidenceOf(SourceTypeOf(c.type).settings, c.bytes), c.score) << c.bytes;
  }
}

}  // namespace
