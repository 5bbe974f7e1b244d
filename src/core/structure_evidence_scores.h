// How much of the structure a type expects the start of a source shows,
// weakest first. A reader may still read a source that shows nothing: ALD's
// reads every file.
#pragma once

inline constexpr int kNoStructure = 0;
// The outline: a record size, a root element, a header, a line of the field count.
inline constexpr int kOutlineStructure = 1;
// The place machines are kept: a container, a table, the sections' keys.
inline constexpr int kStorageStructure = 2;
// A machine whose values stand where the type reads them.
inline constexpr int kFullStructure = 3;
