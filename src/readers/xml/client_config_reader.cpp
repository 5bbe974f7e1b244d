// The ClientConfig.xml reader.
#include "readers/xml/client_config_reader.h"

#include <cstdint>
#include <string>

#include "core/field_format.h"
#include "readers/xml/first_child_values.h"
#include "readers/xml/machine_elements.h"
#include "readers/xml/unsigned_decimal.h"
#include "readers/xml/xml_source.h"
#include "readers/xml/xml_text.h"

namespace {

enum Child : std::size_t { kName, kMac, kIp };

// The file holds the address as one number whose most significant byte is the
// first octet; FormatIPv4 wants the first octet in the lowest byte.
std::uint32_t ToNetworkOrder(std::uint32_t number) {
  return (number >> 24) | ((number >> 8) & 0xFF00u) | ((number << 8) & 0xFF0000u) |
         (number << 24);
}

class ClientConfigMachines final : public XmlContentHandler {
 public:
  ClientConfigMachines(const ClientConfigLayout& layout, ReadOutcome& outcome)
      : layout_(layout),
        outcome_(outcome),
        machines_(MachineElements::EveryAt(layout.machinesPath)),
        children_(FirstChildValues::Texts({"Name", "Mac", "IP"})) {}

  void StartElement(int depth, std::string_view name, const XmlAttributes& attributes) override {
    if (machines_.Start(depth, name)) {
      children_.Clear();
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
  // A machine without a Name, Mac or numeric IP gives no entry.
  void AddMachine() {
    const std::string* name = children_.Value(kName);
    const std::string* mac = children_.Value(kMac);
    const std::string* ipText = children_.Value(kIp);
    const std::optional<std::uint32_t> ip =
        ipText ? TryTextToUInt32(TrimXmlSpace(*ipText)) : std::nullopt;
    if (!name || !mac || !ip || TrimXmlSpace(*mac).empty()) {
      outcome_.skipped.Add(SkipReason::LackingValue);
      return;
    }
    AssignUtf8(name_, TrimXmlSpace(*name));
    AssignUtf8(mac_, TrimXmlSpace(*mac));
    ApplyMachineRules(layout_.rules, mac_, name_);
    outcome_.machines.Add(mac_, FormatIPv4(ToNetworkOrder(*ip)), name_);
  }

  const ClientConfigLayout& layout_;
  ReadOutcome& outcome_;
  MachineElements machines_;
  FirstChildValues children_;
  std::u16string name_, mac_;  // reused from machine to machine
};

}  // namespace

ReadOutcome ReadClientConfigSource(const SourceRequest& request,
                                   const ClientConfigLayout& layout) {
  ReadOutcome outcome;
  ClientConfigMachines machines(layout, outcome);
  if (const std::optional<ReadFailure> failure = ParseAnsiXmlSourceFile(request, machines)) {
    return ReadOutcome::Failed(*failure);
  }
  return outcome;
}
