// Matching the open elements against a path from the root.
#include "readers/xml/machine_elements.h"

#include "core/source_error.h"
#include "core/utf8.h"

namespace {

std::vector<std::string> PathSteps(std::u16string_view path) {
  const std::string whole = Utf16ToUtf8Whole(path);
  if (!path.starts_with(u'/')) throw SourceError("unsupported path: " + whole);
  path.remove_prefix(1);
  std::vector<std::string> steps;
  for (;;) {
    const std::size_t slash = path.find(u'/');
    const std::u16string_view step = path.substr(0, slash);
    if (step.empty()) throw SourceError("unsupported path: " + whole);
    steps.push_back(Utf16ToUtf8Whole(step));
    if (slash == std::u16string_view::npos) return steps;
    path.remove_prefix(slash + 1);
  }
}

}  // namespace

MachineElements::MachineElements(std::u16string_view path, bool childrenOfFirst)
    : childrenOfFirst_(childrenOfFirst) {
  if (!path.empty() || !childrenOfFirst) steps_ = PathSteps(path);
  const int pathDepth = steps_.empty() ? 1 : static_cast<int>(steps_.size());
  machineDepth_ = childrenOfFirst ? pathDepth + 1 : pathDepth;
}

MachineElements MachineElements::ChildrenOfFirst(std::u16string_view containerPath) {
  return MachineElements(containerPath, true);
}

MachineElements MachineElements::EveryAt(std::u16string_view machinesPath) {
  return MachineElements(machinesPath, false);
}

bool MachineElements::Start(int depth, std::string_view name) {
  if (machineOpen_) return false;
  if (childrenOfFirst_ && containerFound_) {
    if (containerClosed_ || depth != machineDepth_) return false;
    machineOpen_ = true;
    return true;
  }
  // Names match case-sensitively as written, prefix included.
  bool atPath = false;
  if (steps_.empty()) {
    atPath = depth == 1;
  } else if (matched_ == depth - 1 && depth <= static_cast<int>(steps_.size()) &&
             name == steps_[static_cast<std::size_t>(depth - 1)]) {
    matched_ = depth;
    atPath = depth == static_cast<int>(steps_.size());
  }
  if (!atPath) return false;
  if (childrenOfFirst_) {
    containerFound_ = true;
    return false;
  }
  machineOpen_ = true;
  return true;
}

bool MachineElements::End(int depth) {
  if (matched_ == depth) matched_ = depth - 1;
  if (machineOpen_ && depth == machineDepth_) {
    machineOpen_ = false;
    return true;
  }
  if (childrenOfFirst_ && containerFound_ && depth == machineDepth_ - 1) containerClosed_ = true;
  return false;
}
