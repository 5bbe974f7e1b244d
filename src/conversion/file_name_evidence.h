// How well a source's file name fits the name a type's browse filter offers.
#pragma once

#include <string_view>

// 2: the filter names this very file ("wsk.dat"); 1: its pattern takes the
// name's extension ("*.xml"); 0: neither. Only the filter's first pattern
// counts: the others are "All Files". ASCII letters match in either case.
[[nodiscard]] int FileNameEvidence(std::string_view browseFilter, std::string_view fileName);
