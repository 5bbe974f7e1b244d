// The ClientConfig.xml reader.
#include "readers/xml/client_config_reader.h"

#include <cstdint>
#include <string>

#include "core/field_format.h"
#include "readers/xml/machine_children_handler.h"
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

class ClientConfigMachines final : public MachineChildrenHandler {
 public:
  ClientConfigMachines(const ClientConfigLayout& layout, ReadOutcome& outcome)
      : MachineChildrenHandler(MachineElements::EveryAt(layout.machinesPath),
                               FirstChildValues::Texts({"Name", "Mac", "IP"})),
        layout_(layout),
        outcome_(outcome) {}

 private:
  // A machine without a Name, Mac or numeric IP gives no entry.
  void MachineEnded() override {
    const std::string* name = children().Value(kName);
    const std::string* mac = children().Value(kMac);
    const std::string* ipText = children().Value(kIp);
    const std::optional<std::uint32_t> ip =
        ipText ? TryTextToUInt32(*ipText) : std::nullopt;
    if (!name || !mac || !ip || mac->empty()) {
      outcome_.skipped.Add(SkipReason::LackingValue);
      return;
    }
    AssignXmlValue(name_, *name);
    AssignXmlValue(mac_, *mac);
    ApplyMachineRules(layout_.rules, mac_, name_);
    outcome_.machines.Add(mac_, FormatIPv4(ToNetworkOrder(*ip)), name_);
  }

  const ClientConfigLayout& layout_;
  ReadOutcome& outcome_;
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
