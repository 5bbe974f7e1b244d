// Building SQLite database files for tests from SQL text.
#pragma once

#include <filesystem>
#include <string>

// Runs the SQL text against a new database file at path (replaced if present).
void MakeSqliteDatabase(const std::filesystem::path& path, const std::string& sql);

// Opens the database at path, runs the SQL text and leaves the process at
// once, as a crash would: the transaction stays unfinished on disk.
void CrashMidTransaction(const std::filesystem::path& path, const std::string& sql);
