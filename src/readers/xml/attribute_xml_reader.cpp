// The attribute XML reader.
#include "readers/xml/attribute_xml_reader.h"

#include <string>

#include "core/utf8.h"
#include "readers/xml/machine_elements.h"
#include "readers/xml/xml_source.h"
#include "readers/xml/xml_text.h"

namespace {

class AttributeMachines final : public XmlContentHandler {
 public:
  AttributeMachines(const AttributeXmlLayout& layout, ReadOutcome& outcome)
      : layout_(layout),
        outcome_(outcome),
        machines_(MachineElements::ChildrenOfFirst(layout.containerPath)),
        nameAttribute_(Utf16ToUtf8Whole(layout.nameAttribute)),
        macAttribute_(Utf16ToUtf8Whole(layout.macAttribute)),
        ipAttribute_(Utf16ToUtf8Whole(layout.ipAttribute)) {}

  void StartElement(int depth, std::string_view name, const XmlAttributes& attributes) override {
    if (machines_.Start(depth, name)) AddMachine(attributes);
  }

  void EndElement(int depth) override { (void)machines_.End(depth); }

  [[nodiscard]] bool FoundContainer() const { return machines_.FoundContainer(); }

 private:
  // A machine element lacking one of the three attributes gives no entry.
  void AddMachine(const XmlAttributes& attributes) {
    const char* name = attributes.Find(nameAttribute_);
    const char* mac = attributes.Find(macAttribute_);
    const char* ip = attributes.Find(ipAttribute_);
    if (!name || !mac || !ip || *mac == '\0') {
      outcome_.skipped.Add(SkipReason::LackingValue);
      return;
    }
    AssignXmlValue(name_, KeptValue(name));
    AssignXmlValue(mac_, KeptValue(mac));
    AssignXmlValue(ip_, KeptValue(ip));
    ApplyMachineRules(layout_.rules, mac_, name_);
    outcome_.machines.Add(mac_, ip_, name_);
  }

  const AttributeXmlLayout& layout_;
  ReadOutcome& outcome_;
  MachineElements machines_;
  const std::string nameAttribute_;
  const std::string macAttribute_;
  const std::string ipAttribute_;
  std::u16string name_, mac_, ip_;  // reused from machine to machine
};

}  // namespace

ReadOutcome ReadAttributeXmlSource(const SourceRequest& request,
                                   const AttributeXmlLayout& layout) {
  ReadOutcome outcome;
  AttributeMachines machines(layout, outcome);
  const std::optional<ReadFailure> failure =
      layout.ansiTextCutAfter.empty()
          ? ParseXmlSourceFile(request, machines)
          : ParseAnsiXmlSourceFile(request, machines, layout.ansiTextCutAfter);
  if (failure) return ReadOutcome::Failed(*failure);
  if (!machines.FoundContainer()) return ReadOutcome::Failed(MissingXmlElement(layout.containerPath));
  return outcome;
}
