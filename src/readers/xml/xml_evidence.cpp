// The evidence of the XML sources: the start of the document parsed as its
// reader parses it, the root, the container and the first machines watched.
#include "readers/xml/xml_evidence.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/ansi_decoder.h"
#include "core/utf8.h"
#include "core/value_shapes.h"
#include "readers/xml/machine_elements.h"
#include "readers/xml/xml_content_handler.h"
#include "readers/xml/xml_encoding.h"
#include "readers/xml/xml_stream_parser.h"

namespace {

// The names of an attribute machine's values; none for the other families.
struct MachineAttributes {
  std::string name, mac, ip;
};

// "/A/B" gives "A".
std::string FirstStep(std::u16string_view path) {
  if (path.starts_with(u'/')) path.remove_prefix(1);
  return Utf16ToUtf8Whole(path.substr(0, path.find(u'/')));
}

class StructureWatch final : public XmlContentHandler {
 public:
  StructureWatch(std::u16string_view path, bool childrenOfFirst,
                 std::optional<MachineAttributes> attributes)
      : rootName_(FirstStep(path)),
        machines_(childrenOfFirst ? MachineElements::ChildrenOfFirst(path)
                                  : MachineElements::EveryAt(path)),
        attributes_(std::move(attributes)),
        anyRoot_(path.empty()) {}

  void StartElement(int depth, std::string_view name, const XmlAttributes& attributes) override {
    if (depth == 1 && !anyRoot_ && name == rootName_) {
      evidence_ = std::max(evidence_, kOutlineStructure);
    }
    const bool machine = machines_.Start(depth, name);
    if (machines_.FoundContainer() && !anyRoot_) {
      evidence_ = std::max(evidence_, kStorageStructure);
    }
    if (!machine) return;
    if (!attributes_) {
      evidence_ = kFullStructure;
    } else {
      const char* mac = attributes.Find(attributes_->mac);
      if (mac && attributes.Find(attributes_->name) && attributes.Find(attributes_->ip)) {
        evidence_ = std::max(evidence_, LooksLikeMac(mac) ? kFullStructure : kStorageStructure);
      }
    }
  }

  void EndElement(int depth) override { (void)machines_.End(depth); }

  [[nodiscard]] int evidence() const { return evidence_; }

 private:
  std::string rootName_;  // the path's first step
  MachineElements machines_;
  std::optional<MachineAttributes> attributes_;
  bool anyRoot_;  // the root itself holds the machines, whatever its name
  int evidence_ = kNoStructure;
};

// Parses the head as the reader parses the file; what was seen before the
// head ends or stops being XML counts.
void ParseHead(const SourceHead& head, std::u16string_view ansiTextCutAfter,
               const platform::CodePage& ansi, StructureWatch& watch) {
  if (!ansiTextCutAfter.empty()) {
    std::string utf8;
    AnsiDecoder(ansi).AppendUtf8(head.bytes, utf8);
    const std::size_t at = utf8.find(Utf16ToUtf8Whole(ansiTextCutAfter));
    if (at != std::string::npos) utf8.resize(at + Utf16ToUtf8Whole(ansiTextCutAfter).size());
    XmlStreamParser parser(watch, "UTF-8");
    (void)parser.Parse(utf8);
    return;
  }
  const XmlInputEncoding encoding = DetectXmlInputEncoding(head.bytes);
  std::string_view bytes = head.bytes;
  bytes = bytes.substr(0, FindNulCharacter(bytes, encoding));
  XmlStreamParser parser(watch, encoding.forced);
  (void)parser.Parse(bytes);
}

int Evidence(const SourceHead& head, const platform::CodePage& ansi, std::u16string_view path,
             bool childrenOfFirst, std::optional<MachineAttributes> attributes = std::nullopt,
             std::u16string_view ansiTextCutAfter = {}) {
  StructureWatch watch(path, childrenOfFirst, std::move(attributes));
  ParseHead(head, ansiTextCutAfter, ansi, watch);
  return watch.evidence();
}

}  // namespace

int StructureEvidence(const InitiatorLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  return Evidence(head, ansi, layout.containerPath, true);
}

int StructureEvidence(const ComputerCollectionLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  return Evidence(head, ansi, layout.machinesPath, false);
}

int StructureEvidence(const ClientConfigLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  return Evidence(head, ansi, layout.machinesPath, false);
}

int StructureEvidence(const AttributeXmlLayout& layout, const SourceHead& head,
                      const platform::CodePage& ansi) {
  return Evidence(head, ansi, layout.containerPath, true,
                  MachineAttributes{Utf16ToUtf8Whole(layout.nameAttribute),
                                    Utf16ToUtf8Whole(layout.macAttribute),
                                    Utf16ToUtf8Whole(layout.ipAttribute)},
                  layout.ansiTextCutAfter);
}
