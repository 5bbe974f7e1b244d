// The I8 Computer collection reader.
#include "readers/xml/computer_collection_reader.h"

#include <optional>
#include <string>

#include "readers/xml/first_child_values.h"
#include "readers/xml/machine_elements.h"
#include "readers/xml/xml_source.h"
#include "readers/xml/xml_text.h"

namespace {

enum Child : std::size_t { kMacAddr, kNetAddr, kIpAddr };

class ComputerMachines final : public XmlContentHandler {
 public:
  ComputerMachines(const ComputerCollectionLayout& layout, ReadOutcome& outcome)
      : layout_(layout),
        outcome_(outcome),
        machines_(MachineElements::EveryAt(layout.machinesPath)),
        children_(FirstChildValues::Texts({"MacAddr", "NetAddr", "IPAddr"})) {}

  void StartElement(int depth, std::string_view name, const XmlAttributes& attributes) override {
    if (machines_.Start(depth, name)) {
      children_.Clear();
      const char* computerName = attributes.Find("Name");
      hasName_ = computerName != nullptr;
      if (hasName_) AssignUtf8(name_, computerName);
    } else if (machines_.InsideMachine()) {
      children_.StartElement(depth - machines_.machineDepth(), name, attributes);
    }
  }

  void EndElement(int depth) override {
    if (machines_.End(depth)) {
      AddMachine();
    } else if (machines_.InsideMachine()) {
      children_.EndElement(depth - machines_.machineDepth());
    }
  }

  void Text(int, std::string_view text) override {
    if (machines_.InsideMachine()) children_.Text(text);
  }
  [[nodiscard]] bool WantsText() const override {
    return machines_.InsideMachine() && children_.Capturing();
  }

 private:
  // A machine without its Name attribute or MacAddr, or without an IPAddr when
  // NetAddr gives no address, gives no entry. An empty IPAddr gives an empty IP.
  void AddMachine() {
    const std::string* mac = children_.Value(kMacAddr);
    std::optional<std::string_view> ip;
    if (hasName_ && mac) {
      if (const std::string* net = children_.Value(kNetAddr)) ip = TrimXmlSpace(*net);
      if (!ip || ip->empty()) {
        ip.reset();
        if (const std::string* address = children_.Value(kIpAddr)) ip = TrimXmlSpace(*address);
      }
    }
    if (!ip || TrimXmlSpace(*mac).empty()) {
      outcome_.skipped.Add(SkipReason::LackingValue);
      return;
    }
    AssignUtf8(mac_, TrimXmlSpace(*mac));
    AssignUtf8(ip_, *ip);
    ApplyMachineRules(layout_.rules, mac_, name_);
    outcome_.machines.Add(mac_, ip_, name_);
  }

  const ComputerCollectionLayout& layout_;
  ReadOutcome& outcome_;
  MachineElements machines_;
  FirstChildValues children_;
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
