// The handler of a reader whose machines are elements with their values in
// child elements: it routes the document's events between the machine
// matcher and the child values, and tells the reader when a machine opens
// and when it has closed.
#pragma once

#include <string_view>
#include <utility>

#include "readers/xml/first_child_values.h"
#include "readers/xml/machine_elements.h"
#include "readers/xml/xml_content_handler.h"

class MachineChildrenHandler : public XmlContentHandler {
 public:
  MachineChildrenHandler(MachineElements machines, FirstChildValues children)
      : machines_(std::move(machines)), children_(std::move(children)) {}

  void StartElement(int depth, std::string_view name, const XmlAttributes& attributes) final {
    if (machines_.Start(depth, name)) {
      children_.Clear();
      MachineStarted(attributes);
    } else if (machines_.InsideMachine()) {
      children_.StartElement(depth - machines_.machineDepth(), name, attributes);
    }
  }

  void EndElement(int depth) final {
    if (machines_.End(depth)) {
      MachineEnded();
    } else if (machines_.InsideMachine()) {
      children_.EndElement(depth - machines_.machineDepth());
    }
  }

  void Text(int, std::string_view text) final {
    if (machines_.InsideMachine()) children_.Text(text);
  }
  [[nodiscard]] bool WantsText() const final {
    return machines_.InsideMachine() && children_.Capturing();
  }

  // For machines that are the children of a container: whether it was found.
  [[nodiscard]] bool FoundContainer() const { return machines_.FoundContainer(); }

 protected:
  // A machine element opens, with its own attributes.
  virtual void MachineStarted(const XmlAttributes&) {}
  // A machine element has closed; children() holds what its children gave.
  virtual void MachineEnded() = 0;

  [[nodiscard]] const FirstChildValues& children() const { return children_; }

 private:
  MachineElements machines_;
  FirstChildValues children_;
};
