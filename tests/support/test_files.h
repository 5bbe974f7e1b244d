// Reading and writing whole files, running the command line, for tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);
[[nodiscard]] std::string ReadFileBytes(const std::filesystem::path& path);

// The wide path as a reader gets it.
[[nodiscard]] std::u16string WidePath(const std::filesystem::path& path);

// A fixture under tests/data.
[[nodiscard]] std::filesystem::path TestDataPath(const std::string& relative);

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built zembrix-cli with arguments in folder `cwd`.
[[nodiscard]] CliResult RunZembrixCli(const std::vector<std::string>& arguments,
                                      const std::filesystem::path& cwd = {});
