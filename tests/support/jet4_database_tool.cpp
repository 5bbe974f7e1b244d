// make-jet4-database: writes a Jet 4 database from a plain-text description.
//
//   make-jet4-database OUTPUT.mdb < DESCRIPTION
//
// Description lines: "table NAME", "column NAME text|long|integer", and
// "row" followed by one tab-separated value per column; \N is NULL. Lines
// starting with # and blank lines are ignored.
#include <cstdio>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>

#include "support/jet4_database.h"

namespace {

Jet4ColumnType ParseColumnType(const std::string& word) {
  if (word == "text") return Jet4ColumnType::Text;
  if (word == "long") return Jet4ColumnType::Long;
  if (word == "integer") return Jet4ColumnType::Integer;
  throw std::invalid_argument("unknown column type: " + word);
}

std::vector<std::string> SplitTabs(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = text.find('\t', start);
    fields.push_back(text.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::vector<Jet4Table> ParseDescription(std::istream& in) {
  std::vector<Jet4Table> tables;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t space = line.find_first_of(" \t");
    const std::string word = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (word == "table") {
      tables.push_back({rest, {}, {}});
      continue;
    }
    if (tables.empty()) throw std::invalid_argument("a table line must come first");
    Jet4Table& table = tables.back();
    if (word == "column") {
      std::istringstream parts(rest);
      std::string name, type;
      parts >> name >> type;
      table.columns.push_back({name, ParseColumnType(type)});
    } else if (word == "row") {
      const std::vector<std::string> fields = SplitTabs(rest);
      if (fields.size() != table.columns.size()) throw std::invalid_argument("row width: " + line);
      std::vector<Jet4Value> row;
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] == "\\N") {
          row.emplace_back();
        } else if (table.columns[i].type == Jet4ColumnType::Text) {
          row.emplace_back(fields[i]);
        } else {
          row.emplace_back(static_cast<std::int32_t>(std::stol(fields[i])));
        }
      }
      table.rows.push_back(std::move(row));
    } else {
      throw std::invalid_argument("unknown line: " + line);
    }
  }
  return tables;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make-jet4-database OUTPUT.mdb < DESCRIPTION\n", stderr);
    return 2;
  }
  try {
    WriteJet4Database(argv[1], ParseDescription(std::cin));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make-jet4-database: %s\n", error.what());
    return 1;
  }
  return 0;
}
