// A small writer of Jet 4 (Access 2000) database files for test fixtures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

enum class Jet4ColumnType : std::uint8_t {
  Integer = 0x03,     // 16 bits, fixed
  Long = 0x04,        // 32 bits, fixed
  Text = 0x0A,        // up to 255 characters, stored as UCS-2
  LongBinary = 0x0B,  // OLE object; only NULL can be written
};

struct Jet4Column {
  std::string name;
  Jet4ColumnType type;
};

// A missing value is NULL; text is UTF-8.
using Jet4Value = std::optional<std::variant<std::string, std::int32_t>>;

struct Jet4Table {
  std::string name;
  std::vector<Jet4Column> columns;
  std::vector<std::vector<Jet4Value>> rows;
};

// The whole file: header page, page usage maps, the MSysObjects catalog and
// one definition page plus data pages per table. No indexes, no memo fields.
[[nodiscard]] std::string BuildJet4Database(const std::vector<Jet4Table>& tables);

// Writes the file, then reads every table back with mdb-export and throws
// unless each row comes back exactly as given.
void WriteJet4Database(const std::filesystem::path& path, const std::vector<Jet4Table>& tables);

// What mdb-export gives for the table: one tab-separated line per row, NULL
// as \N (empty text too: mdbtools does not tell them apart), text escaped
// C-style (tab, CR, LF, backslash).
[[nodiscard]] std::string ExportJet4Table(const std::filesystem::path& path,
                                          const std::string& table);
[[nodiscard]] std::string ExpectedJet4Export(const Jet4Table& table);
