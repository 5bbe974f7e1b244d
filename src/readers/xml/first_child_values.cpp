// Gathering the first child values of one machine element.
#include "readers/xml/first_child_values.h"

FirstChildValues::FirstChildValues(std::initializer_list<std::string_view> names,
                                   std::string_view attribute)
    : attribute_(attribute) {
  for (std::string_view name : names) slots_.push_back(Slot{name, false, false, {}});
}

FirstChildValues FirstChildValues::Texts(std::initializer_list<std::string_view> names) {
  return FirstChildValues(names, {});
}

FirstChildValues FirstChildValues::Attributes(std::initializer_list<std::string_view> names,
                                              std::string_view attribute) {
  return FirstChildValues(names, attribute);
}

void FirstChildValues::Clear() {
  for (Slot& slot : slots_) {
    slot.seen = false;
    slot.present = false;
    slot.value.clear();
  }
  capturing_ = kNone;
}

void FirstChildValues::StartElement(int relativeDepth, std::string_view name,
                                    const XmlAttributes& attributes) {
  if (relativeDepth != 1) return;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    Slot& slot = slots_[i];
    if (slot.seen || slot.name != name) continue;
    slot.seen = true;
    if (attribute_.empty()) {
      slot.present = true;
      capturing_ = i;
    } else if (const char* value = attributes.Find(attribute_)) {
      slot.present = true;
      slot.value = value;
    }
    return;
  }
}

void FirstChildValues::EndElement(int relativeDepth) {
  if (relativeDepth == 1) capturing_ = kNone;
}

void FirstChildValues::Text(std::string_view text) {
  if (capturing_ != kNone) slots_[capturing_].value += text;
}

const std::string* FirstChildValues::Value(std::size_t index) const {
  const Slot& slot = slots_.at(index);
  return slot.present ? &slot.value : nullptr;
}
