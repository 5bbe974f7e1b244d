// What the dialog does once a source file is chosen (typed, browsed or
// dropped): when the selected type cannot read it, or finds no machine in it,
// while another type does, it selects that type and says so.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "conversion/source_detection.h"

// The type to select instead of the selected one (nothing: none selected);
// nothing when the selection stays.
[[nodiscard]] std::optional<DisklessType> TypeToSelect(std::optional<DisklessType> selected,
                                                       const std::vector<DetectedType>& found);

// The line under the fields that tells the type chosen for the user (UTF-8):
// "已识别为：" and the type's name as the list shows it.
[[nodiscard]] std::string RecognizedTypeLine(DisklessType type);

struct SourceChoice {
  int typePosition = -1;  // the list position to select: the one given when it stays
  std::string line;       // the line under the fields; empty: no line
};

// Looks at the source with the ANSI code page 936, as OK converts it. A path
// that is empty or names no readable file leaves the selection and shows no line.
[[nodiscard]] SourceChoice OnSourceChosen(int typePosition, const std::filesystem::path& source);
