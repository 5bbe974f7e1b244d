// The I8 Computer collection reader.
#include "readers/xml/computer_collection_reader.h"

#include <optional>
#include <string>

#include "readers/xml/machine_children_handler.h"
#include "readers/xml/xml_source.h"
#include "readers/xml/xml_text.h"

namespace {

enum Child : std::size_t { kMacAddr, kNetAddr, kIpAddr };

class ComputerMachines final : public MachineChildrenHandler {
 public:
  ComputerMachines(const ComputerCollectionLayout& layout, ReadOutcome& outcome)
      : MachineChildrenHandler(MachineElements::EveryAt(layout.machinesPath),
                               FirstChildValues::Texts({"MacAddr", "NetAddr", "IPAddr"})),
        layout_(layout),
        outcome_(outcome) {}

 private:
  void MachineStarted(const XmlAttributes& attributes) override {
    const char* computerName = attributes.Find("Name");
    hasName_ = computerName != nullptr;
    if (hasName_) AssignXmlValue(name_, KeptValue(computerName));
  }

  // A machine without its Name attribute or MacAddr, or without an IPAddr when
  // NetAddr gives no address, gives no entry. An empty IPAddr gives an empty IP.
  void MachineEnded() override {
    const std::string* mac = children().Value(kMacAddr);
    std::optional<std::string_view> ip;
    if (hasName_ && mac) {
      if (const std::string* net = children().Value(kNetAddr)) ip = *net;
      if (!ip || ip->empty()) {
        ip.reset();
        if (const std::string* address = children().Value(kIpAddr)) ip = *address;
      }
    }
    if (!ip || mac->empty()) {
      outcome_.skipped.Add(SkipReason::LackingValue);
      return;
    }
    AssignXmlValue(mac_, *mac);
    AssignXmlValue(ip_, *ip);
    ApplyMachineRules(layout_.rules, mac_, name_);
    outcome_.machines.Add(mac_, ip_, name_);
  }

  const ComputerCollectionLayout& layout_;
  ReadOutcome& outcome_;
  bool hasName_ = false;
  std::u16string name_, mac_, ip_;  // reused from machine to machine
};

}  // namespace

ReadOutcome ReadComputerCollectionSource(const SourceRequest& request,
                                         const ComputerCollectionLayout& layout) {
  ReadOutcome outcome;
  ComputerMachines machines(layout, outcome);
  if (const std::optional<ReadFailure> failure = ParseXmlSourceFile(request, machines)) {
    return ReadOutcome::Failed(*failure);
  }
  return outcome;
}
