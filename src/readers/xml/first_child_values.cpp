// Gathering the first child values of one machine element.
#include "readers/xml/first_child_values.h"

#include "readers/xml/xml_text.h"

FirstChildValues::FirstChildValues(std::initializer_list<std::string_view> names,
                                   std::string_view attribute)
    : attribute_(attribute) {
  for (std::string_view name : names) slots_.push_back(Slot{name, false, false, false, {}});
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
    slot.moreAfterKept = false;
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
      slot.value = KeptValue(value);
    }
    return;
  }
}

void FirstChildValues::EndElement(int relativeDepth) {
  if (relativeDepth != 1 || capturing_ == kNone) return;
  Slot& slot = slots_[capturing_];
  // White space at the end of the kept start is the value's end only when
  // nothing but white space followed it.
  if (!slot.moreAfterKept) slot.value.resize(TrimXmlSpace(slot.value).size());
  capturing_ = kNone;
}

// Only the start of a long text is kept, as it arrives: the list cuts the
// value anyway, and one text may be as long as the file.
void FirstChildValues::Text(std::string_view text) {
  if (capturing_ == kNone) return;
  Slot& slot = slots_[capturing_];
  if (slot.value.empty()) text = TrimXmlSpaceStart(text);
  const std::size_t taken = KeptValueLength(text, slot.value.size());
  slot.value.append(text.substr(0, taken));
  if (!slot.moreAfterKept && !TrimXmlSpace(text.substr(taken)).empty()) slot.moreAfterKept = true;
}

const std::string* FirstChildValues::Value(std::size_t index) const {
  const Slot& slot = slots_.at(index);
  return slot.present ? &slot.value : nullptr;
}
