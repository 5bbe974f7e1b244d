// Runs one Access query in a process of its own, under a time limit.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/source_file.h"
#include "readers/database/access_row_stream.h"

struct AccessQuery {
  std::filesystem::path helperPath;            // the zembrix-access-query executable
  const platform::SourceFile* database = nullptr;  // the database, open for reading
  std::string sql;
  std::vector<std::string> fields;  // read from each row by name, in this order
  std::string jet3Charset;          // how Jet 3 files hold text; empty: mdbtools' default
  std::chrono::milliseconds timeLimit{};
};

struct AccessQueryResult {
  std::optional<std::vector<AccessRow>> rows;  // nothing when the query failed
  std::string error;                           // why, in technical words
};

// Every row of the query, or nothing when the database cannot be read: the
// process reports an error, crashes, is killed at the time limit, or writes
// something it should not. The caller's process is never at risk.
[[nodiscard]] AccessQueryResult RunAccessQuery(const AccessQuery& query);
