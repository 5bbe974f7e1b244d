// Jet 4 file layout: page 0 header, page 1 usage maps, page 2 MSysObjects,
// then the catalog's data pages and, per table, its definition and data pages.
#include "support/jet4_database.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "core/utf8.h"
#include "support/test_files.h"

extern char** environ;

namespace {

constexpr std::size_t kPageSize = 4096;
constexpr std::uint32_t kMapPage = 1;
constexpr std::uint32_t kCatalogPage = 2;
constexpr std::size_t kDataPageHeader = 14;  // type, flags, free space, table page, ?, row count
constexpr std::size_t kTableHeader = 63;     // up to the first column entry
constexpr std::size_t kColumnEntrySize = 25;
constexpr std::size_t kUsageMapBytes = 64;  // one bit per page, pages 0 to 511
constexpr std::uint16_t kGeneralSortOrder = 0x409;
constexpr std::uint8_t kFixedColumn = 0x01;
constexpr std::uint8_t kNullableColumn = 0x02;
constexpr std::uint8_t kUserTable = 0x4e;
constexpr std::uint8_t kSystemTable = 0x53;
constexpr std::int32_t kTableObject = 1;
constexpr std::uint32_t kSystemObjectFlags = 0x80000002;

void Put16(std::string& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xff);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  Put16(bytes, at, static_cast<std::uint16_t>(value & 0xffff));
  Put16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

void Append16(std::string& bytes, std::uint16_t value) {
  bytes.append(2, '\0');
  Put16(bytes, bytes.size() - 2, value);
}

std::string Ucs2(const std::string& utf8) {
  std::string bytes;
  for (const char16_t unit : Utf8ToWide(utf8)) Append16(bytes, unit);
  return bytes;
}

bool IsFixed(Jet4ColumnType type) {
  return type != Jet4ColumnType::Text && type != Jet4ColumnType::LongBinary;
}

std::uint16_t ColumnSize(Jet4ColumnType type) {
  switch (type) {
    case Jet4ColumnType::Integer:
      return 2;
    case Jet4ColumnType::Long:
      return 4;
    case Jet4ColumnType::Text:
      return 510;
    case Jet4ColumnType::LongBinary:
      return 0;
  }
  return 0;
}

struct ColumnPlace {
  std::uint16_t fixedOffset = 0;  // fixed columns: bytes after the row's column count
  std::uint16_t varIndex = 0;     // variable columns: position in the offset table
};

struct TableLayout {
  std::vector<ColumnPlace> places;
  std::uint16_t fixedBytes = 0;
  std::uint16_t varCount = 0;
};

TableLayout LayOut(const std::vector<Jet4Column>& columns) {
  TableLayout layout;
  for (const Jet4Column& column : columns) {
    ColumnPlace place;
    if (IsFixed(column.type)) {
      place.fixedOffset = layout.fixedBytes;
      layout.fixedBytes = static_cast<std::uint16_t>(layout.fixedBytes + ColumnSize(column.type));
    } else {
      place.varIndex = layout.varCount++;
    }
    layout.places.push_back(place);
  }
  return layout;
}

// Column count, fixed values, variable values, end of data, the variable
// offsets last to first, their count, and the null mask (1 = not null).
std::string EncodeRow(const std::vector<Jet4Column>& columns, const TableLayout& layout,
                      const std::vector<Jet4Value>& values) {
  if (values.size() != columns.size()) throw std::invalid_argument("row width differs from table");
  std::string row;
  Append16(row, static_cast<std::uint16_t>(columns.size()));
  row.append(layout.fixedBytes, '\0');
  std::vector<std::uint16_t> varOffsets;
  std::string nullMask((columns.size() + 7) / 8, '\0');
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const Jet4Value& value = values[i];
    if (value) nullMask[i / 8] = static_cast<char>(nullMask[i / 8] | (1 << (i % 8)));
    if (!IsFixed(columns[i].type)) {
      varOffsets.push_back(static_cast<std::uint16_t>(row.size()));
      if (!value) continue;
      if (columns[i].type != Jet4ColumnType::Text) throw std::invalid_argument("OLE value");
      const std::string text = Ucs2(std::get<std::string>(*value));
      if (text.size() > ColumnSize(columns[i].type)) throw std::invalid_argument("text too long");
      row += text;
      continue;
    }
    if (!value) continue;
    const auto number = static_cast<std::uint32_t>(std::get<std::int32_t>(*value));
    const std::size_t at = 2 + layout.places[i].fixedOffset;
    if (columns[i].type == Jet4ColumnType::Integer) {
      Put16(row, at, static_cast<std::uint16_t>(number));
    } else {
      Put32(row, at, number);
    }
  }
  if (layout.varCount > 0) {
    Append16(row, static_cast<std::uint16_t>(row.size()));
    for (auto offset = varOffsets.rbegin(); offset != varOffsets.rend(); ++offset) {
      Append16(row, *offset);
    }
    Append16(row, layout.varCount);
  }
  return row + nullMask;
}

std::string EmptyPage() { return std::string(kPageSize, '\0'); }

// Rows are stored from the end of the page towards its header.
std::string DataPage(std::uint32_t tablePage, const std::vector<std::string>& rows) {
  std::string page = EmptyPage();
  page[0] = 0x01;
  page[1] = 0x01;
  Put32(page, 4, tablePage);
  Put16(page, 12, static_cast<std::uint16_t>(rows.size()));
  std::size_t end = kPageSize;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    end -= rows[i].size();
    page.replace(end, rows[i].size(), rows[i]);
    Put16(page, kDataPageHeader + 2 * i, static_cast<std::uint16_t>(end));
  }
  Put16(page, 2, static_cast<std::uint16_t>(end - kDataPageHeader - 2 * rows.size()));
  return page;
}

std::vector<std::vector<std::string>> PackRows(const std::vector<std::string>& rows) {
  std::vector<std::vector<std::string>> pages;
  std::size_t used = kPageSize;
  for (const std::string& row : rows) {
    if (pages.empty() || used + row.size() + 2 > kPageSize) {
      pages.emplace_back();
      used = kDataPageHeader;
    }
    pages.back().push_back(row);
    used += row.size() + 2;
  }
  return pages;
}

struct TableParts {
  const std::vector<Jet4Column>* columns;
  std::string name;
  bool system;
  std::vector<std::string> rows;
  std::uint32_t definitionPage = 0;
  std::uint32_t firstDataPage = 0;
  std::size_t dataPages = 0;
};

std::string DefinitionPage(const TableParts& table, std::uint8_t mapRow) {
  const std::vector<Jet4Column>& columns = *table.columns;
  const TableLayout layout = LayOut(columns);
  std::string page = EmptyPage();
  page[0] = 0x02;
  page[1] = 0x01;
  Put32(page, 16, static_cast<std::uint32_t>(table.rows.size()));
  page[40] = static_cast<char>(table.system ? kSystemTable : kUserTable);
  Put16(page, 41, static_cast<std::uint16_t>(columns.size()));
  Put16(page, 43, layout.varCount);
  Put16(page, 45, static_cast<std::uint16_t>(columns.size()));
  Put32(page, 55, kMapPage << 8 | mapRow);
  Put32(page, 59, kMapPage << 8 | (mapRow + 1u));
  std::size_t at = kTableHeader;
  for (std::size_t i = 0; i < columns.size(); ++i, at += kColumnEntrySize) {
    const bool fixed = IsFixed(columns[i].type);
    page[at] = static_cast<char>(columns[i].type);
    Put16(page, at + 5, static_cast<std::uint16_t>(i));
    Put16(page, at + 7, fixed ? 0 : layout.places[i].varIndex);
    Put16(page, at + 9, static_cast<std::uint16_t>(i));
    if (columns[i].type == Jet4ColumnType::Text) Put16(page, at + 11, kGeneralSortOrder);
    page[at + 15] = static_cast<char>(kNullableColumn | (fixed ? kFixedColumn : 0));
    Put16(page, at + 21, fixed ? layout.places[i].fixedOffset : 0);
    Put16(page, at + 23, ColumnSize(columns[i].type));
  }
  std::string names;
  for (const Jet4Column& column : columns) {
    const std::string name = Ucs2(column.name);
    Append16(names, static_cast<std::uint16_t>(name.size()));
    names += name;
  }
  Append16(names, 0xffff);
  if (at + names.size() > kPageSize) throw std::invalid_argument("table definition too long");
  page.replace(at, names.size(), names);
  const std::size_t length = at + names.size();
  Put32(page, 8, static_cast<std::uint32_t>(length));
  Put16(page, 2, static_cast<std::uint16_t>(kPageSize - length - 8));
  return page;
}

// Type 0 maps: kind, first page, then one bit per page from that page on.
std::string UsageMap(std::uint32_t firstPage, std::size_t count) {
  std::string map(5 + kUsageMapBytes, '\0');
  for (std::uint32_t page = firstPage; page < firstPage + count; ++page) {
    if (page >= kUsageMapBytes * 8) throw std::invalid_argument("database too large");
    map[5 + page / 8] = static_cast<char>(map[5 + page / 8] | (1 << (page % 8)));
  }
  return map;
}

std::string HeaderPage() {
  std::string page = EmptyPage();
  page.replace(0, 4, std::string("\x00\x01\x00\x00", 4));
  page.replace(4, 16, std::string("Standard Jet DB\0", 16));
  Put32(page, 0x14, 1);           // Jet 4
  Put32(page, 0x3e, 0x4ebc8afb);  // the database key that means "not encrypted"
  return page;
}

const std::vector<Jet4Column>& CatalogColumns() {
  static const std::vector<Jet4Column> columns = {
      {"Id", Jet4ColumnType::Long},           {"Name", Jet4ColumnType::Text},
      {"Type", Jet4ColumnType::Integer},      {"Flags", Jet4ColumnType::Long},
      {"LvProp", Jet4ColumnType::LongBinary},  // mdbtools binds it; NULL here
  };
  return columns;
}

std::vector<std::string> CatalogRows(const std::vector<TableParts>& tables) {
  const TableLayout layout = LayOut(CatalogColumns());
  std::vector<std::string> rows;
  for (const TableParts& table : tables) {
    rows.push_back(EncodeRow(
        CatalogColumns(), layout,
        {static_cast<std::int32_t>(table.definitionPage), table.name, kTableObject,
         static_cast<std::int32_t>(table.system ? kSystemObjectFlags : 0), std::nullopt}));
  }
  return rows;
}

std::string EscapeForExport(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\t':
        escaped += "\\t";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string RunCapturingOutput(const std::vector<std::string>& arguments) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("cannot make a pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  std::string out;
  char chunk[4096];
  ssize_t count = 0;
  while ((count = ::read(fds[0], chunk, sizeof chunk)) > 0)
    out.append(chunk, static_cast<std::size_t>(count));
  ::close(fds[0]);
  if (spawned != 0) throw std::runtime_error("cannot start " + arguments[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(arguments[0] + " failed on " + arguments[arguments.size() - 2]);
  }
  return out;
}

}  // namespace

std::string BuildJet4Database(const std::vector<Jet4Table>& tables) {
  std::vector<TableParts> parts;
  for (const Jet4Table& table : tables) {
    const TableLayout layout = LayOut(table.columns);
    TableParts part{&table.columns, table.name, false, {}};
    for (const auto& row : table.rows) part.rows.push_back(EncodeRow(table.columns, layout, row));
    parts.push_back(std::move(part));
  }

  // Catalog rows have the same size whatever pages they name, so a first
  // packing with page 0 tells how many pages the catalog takes.
  TableParts catalog{&CatalogColumns(), "MSysObjects", true, CatalogRows(parts)};
  catalog.definitionPage = kCatalogPage;
  catalog.firstDataPage = kCatalogPage + 1;
  catalog.dataPages = PackRows(catalog.rows).size();
  std::uint32_t next = catalog.firstDataPage + static_cast<std::uint32_t>(catalog.dataPages);
  for (TableParts& part : parts) {
    part.definitionPage = next;
    part.firstDataPage = next + 1;
    part.dataPages = PackRows(part.rows).size();
    next = part.firstDataPage + static_cast<std::uint32_t>(part.dataPages);
  }
  catalog.rows = CatalogRows(parts);
  parts.insert(parts.begin(), std::move(catalog));

  std::string file = HeaderPage();
  std::vector<std::string> maps;
  std::string body;
  for (const TableParts& part : parts) {
    body += DefinitionPage(part, static_cast<std::uint8_t>(maps.size()));
    maps.push_back(UsageMap(part.firstDataPage, part.dataPages));
    maps.push_back(UsageMap(0, 0));
    for (const auto& rows : PackRows(part.rows)) body += DataPage(part.definitionPage, rows);
  }
  const std::vector<std::vector<std::string>> mapPages = PackRows(maps);
  if (mapPages.size() != 1) throw std::invalid_argument("too many tables");
  return file + DataPage(0, mapPages.front()) + body;
}

void WriteJet4Database(const std::filesystem::path& path, const std::vector<Jet4Table>& tables) {
  WriteFileBytes(path, BuildJet4Database(tables));
  for (const Jet4Table& table : tables) {
    const std::string exported = ExportJet4Table(path, table.name);
    const std::string expected = ExpectedJet4Export(table);
    if (exported != expected) {
      throw std::runtime_error("mdb-export reads table " + table.name + " of " + path.string() +
                               " as\n" + exported + "instead of\n" + expected);
    }
  }
}

std::string ExportJet4Table(const std::filesystem::path& path, const std::string& table) {
  return RunCapturingOutput(
      {"mdb-export", "-H", "-Q", "-e", "-d", "\t", "-0", "\\N", path.string(), table});
}

std::string ExpectedJet4Export(const Jet4Table& table) {
  std::string lines;
  for (const auto& row : table.rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) lines += '\t';
      const auto* text = row[i] ? std::get_if<std::string>(&*row[i]) : nullptr;
      if (!row[i] || (text && text->empty())) {
        lines += "\\N";  // mdbtools gives empty text as NULL
      } else if (text) {
        lines += EscapeForExport(*text);
      } else {
        lines += std::to_string(std::get<std::int32_t>(*row[i]));
      }
    }
    lines += '\n';
  }
  return lines;
}
