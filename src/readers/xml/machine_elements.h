// Which elements of a document are machines, told as the elements stream past.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class MachineElements {
 public:
  // The child elements of the first element at the path ("/A/B", from the
  // root; empty: the root element itself); comments and text between them
  // are no machines.
  [[nodiscard]] static MachineElements ChildrenOfFirst(std::u16string_view containerPath);
  // Every element at the path ("/A/B", from the root).
  [[nodiscard]] static MachineElements EveryAt(std::u16string_view machinesPath);

  // True when the element starting here is a machine.
  [[nodiscard]] bool Start(int depth, std::string_view name);
  // True when the element ending here is a machine.
  [[nodiscard]] bool End(int depth);

  // Between a machine's start and its end.
  [[nodiscard]] bool InsideMachine() const { return machineOpen_; }
  // The depth every machine element stands at (the root is 1).
  [[nodiscard]] int machineDepth() const { return machineDepth_; }
  // For ChildrenOfFirst: whether the container was found.
  [[nodiscard]] bool FoundContainer() const { return containerFound_; }

 private:
  MachineElements(std::u16string_view path, bool childrenOfFirst);

  std::vector<std::string> steps_;  // UTF-8 names; empty with childrenOfFirst: the root
  bool childrenOfFirst_;
  int matched_ = 0;  // how many leading steps the open elements match
  bool containerFound_ = false;
  bool containerClosed_ = false;
  int machineDepth_ = 0;
  bool machineOpen_ = false;
};
