// The CCBOOT initiator reader.
#include "readers/xml/initiator_reader.h"

#include <string>

#include "readers/xml/first_child_values.h"
#include "readers/xml/machine_elements.h"
#include "readers/xml/xml_source.h"
#include "readers/xml/xml_text.h"

namespace {

enum Child : std::size_t { kName, kMac, kIp };

class InitiatorMachines final : public XmlContentHandler {
 public:
  InitiatorMachines(const InitiatorLayout& layout, ReadOutcome& outcome)
      : layout_(layout),
        outcome_(outcome),
        machines_(MachineElements::ChildrenOfFirst(layout.containerPath)),
        children_(FirstChildValues::Attributes({"name", "mac", "ip"}, "value")) {}

  void StartElement(int depth, std::string_view name, const XmlAttributes& attributes) override {
    if (machines_.Start(depth, name)) {
      children_.Clear();
    } else if (machines_.InsideMachine()) {
      children_.StartElement(depth - machines_.machineDepth(), name, attributes);
    }
  }

  void EndElement(int depth) override {
    if (machines_.End(depth)) AddMachine();
  }

  [[nodiscard]] bool FoundContainer() const { return machines_.FoundContainer(); }

 private:
  // Each value is the "value" attribute of a child element; a machine lacking
  // one of the three gives no entry.
  void AddMachine() {
    const std::string* name = children_.Value(kName);
    const std::string* mac = children_.Value(kMac);
    const std::string* ip = children_.Value(kIp);
    if (!name || !mac || !ip || mac->empty()) {
      outcome_.skipped.Add(SkipReason::LackingValue);
      return;
    }
    AssignUtf8(name_, *name);
    AssignUtf8(mac_, *mac);
    AssignUtf8(ip_, *ip);
    ApplyMachineRules(layout_.rules, mac_, name_);
    outcome_.machines.Add(mac_, ip_, name_);
  }

  const InitiatorLayout& layout_;
  ReadOutcome& outcome_;
  MachineElements machines_;
  FirstChildValues children_;
  std::u16string name_, mac_, ip_;  // reused from machine to machine
};

}  // namespace

ReadOutcome ReadInitiatorSource(const SourceRequest& request, const InitiatorLayout& layout) {
  ReadOutcome outcome;
  InitiatorMachines machines(layout, outcome);
  if (const std::optional<ReadFailure> failure = ParseXmlSourceFile(request, machines)) {
    return ReadOutcome::Failed(*failure);
  }
  if (!machines.FoundContainer()) return ReadOutcome::Failed(MissingXmlElement(layout.containerPath));
  return outcome;
}
