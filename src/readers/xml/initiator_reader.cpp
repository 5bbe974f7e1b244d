// The CCBOOT initiator reader.
#include "readers/xml/initiator_reader.h"

#include <string>

#include "readers/xml/machine_children_handler.h"
#include "readers/xml/xml_source.h"
#include "readers/xml/xml_text.h"

namespace {

enum Child : std::size_t { kName, kMac, kIp };

class InitiatorMachines final : public MachineChildrenHandler {
 public:
  InitiatorMachines(const InitiatorLayout& layout, ReadOutcome& outcome)
      : MachineChildrenHandler(MachineElements::ChildrenOfFirst(layout.containerPath),
                               FirstChildValues::Attributes({"name", "mac", "ip"}, "value")),
        layout_(layout),
        outcome_(outcome) {}

 private:
  // Each value is the "value" attribute of a child element; a machine lacking
  // one of the three gives no entry.
  void MachineEnded() override {
    const std::string* name = children().Value(kName);
    const std::string* mac = children().Value(kMac);
    const std::string* ip = children().Value(kIp);
    if (!name || !mac || !ip || mac->empty()) {
      outcome_.skipped.Add(SkipReason::LackingValue);
      return;
    }
    AssignXmlValue(name_, *name);
    AssignXmlValue(mac_, *mac);
    AssignXmlValue(ip_, *ip);
    ApplyMachineRules(layout_.rules, mac_, name_);
    outcome_.machines.Add(mac_, ip_, name_);
  }

  const InitiatorLayout& layout_;
  ReadOutcome& outcome_;
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
