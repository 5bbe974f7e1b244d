// Sources kept in one table of an SQLite database (types 7, 13, 18, 19).
#pragma once

#include <chrono>
#include <string_view>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct SqliteLayout {
  static constexpr std::string_view kFamily = "sqlite";

  const char* query;
  const char* nameColumn;  // result columns, matched without ASCII case
  const char* macColumn;
  const char* ipColumn;
  bool skipZeroIp;         // a row whose IP is exactly "0.0.0.0" is no machine
  MachineRules rules;
  // How long a read waits for a write of the other system to finish.
  std::chrono::milliseconds busyTimeout{60000};
  // How long a read may run, that wait not counted: a view over an endless
  // query would otherwise never finish.
  std::chrono::milliseconds timeLimit{30000};
};

[[nodiscard]] ReadOutcome ReadSqliteSource(const SourceRequest& request,
                                           const SqliteLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const SqliteLayout& layout) {
  return ReadSqliteSource(request, layout);
}
