// What the Access query process writes to its parent: rows, then an end mark
// or an error, each field length-prefixed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One row: the requested fields in the order asked for, as UTF-8 text; a NULL
// field and an empty field are both the empty text.
using AccessRow = std::vector<std::string>;

void AppendAccessRow(std::string& stream, const AccessRow& row);
void AppendAccessEnd(std::string& stream);
void AppendAccessError(std::string& stream, std::string_view message);

struct AccessRowStream {
  std::vector<AccessRow> rows;
  bool complete = false;             // the end mark came after the last row
  std::optional<std::string> error;  // the process's own word on what failed
};

// Decodes everything the process wrote. Anything that is not well formed,
// including a stream cut short, gives neither the end mark nor an error.
[[nodiscard]] AccessRowStream ParseAccessRowStream(std::string_view bytes,
                                                   std::size_t fieldsPerRow);
