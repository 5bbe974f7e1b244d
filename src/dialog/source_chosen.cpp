// Detecting a chosen source's type and selecting it when the selected one finds nothing.
#include "dialog/source_chosen.h"

#include <algorithm>
#include <new>

#include "conversion/source_types.h"
#include "dialog/type_list.h"

std::optional<DisklessType> TypeToSelect(std::optional<DisklessType> selected,
                                         const std::vector<DetectedType>& found) {
  if (found.empty() || found.front().machines == 0) return std::nullopt;
  const bool selectedFindsMachines =
      selected && std::any_of(found.begin(), found.end(), [&](const DetectedType& candidate) {
        return candidate.type == *selected && candidate.machines > 0;
      });
  if (selectedFindsMachines) return std::nullopt;
  return found.front().type;
}

std::string RecognizedTypeLine(DisklessType type) {
  return "已识别为：" + std::string(SourceTypeOf(type).displayName);
}

SourceChoice OnSourceChosen(int typePosition, const std::filesystem::path& source) {
  SourceChoice choice{typePosition, {}};
  if (source.empty()) return choice;
  std::vector<DetectedType> found;
  try {
    found = DetectSourceTypes(source, ConversionContext::Default());
  } catch (const std::bad_alloc&) {
    return choice;  // a help, not a step: OK still tells what a conversion meets
  }
  if (const std::optional<DisklessType> type = TypeToSelect(TypeAtPosition(typePosition), found)) {
    choice.typePosition = static_cast<int>(IndexOf(*type));
    choice.line = RecognizedTypeLine(*type);
  }
  return choice;
}
