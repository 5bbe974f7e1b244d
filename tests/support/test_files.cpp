// File and process helpers for tests.
#include "support/test_files.h"

#include "platform/path_text.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + platform::PathText(path));
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + platform::PathText(path));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::filesystem::path TestDataPath(const std::string& relative) {
  return std::filesystem::path(ZEMBRIX_TEST_DATA_DIR) / relative;
}

std::vector<std::filesystem::path> ExampleSources(std::string_view slug) {
  const std::filesystem::path folder = std::filesystem::path(ZEMBRIX_SOURCE_DIR) / "examples" / slug;
  std::vector<std::filesystem::path> sources;
  if (!std::filesystem::is_directory(folder)) return sources;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    const std::string extension = file.path().extension().string();
    if (file.is_regular_file() && extension != ".sql" && extension != ".sh" && extension != ".md") {
      sources.push_back(file.path());
    }
  }
  std::sort(sources.begin(), sources.end());
  return sources;
}

std::filesystem::path ExampleOutput(std::string_view slug) {
  return TestDataPath("examples/" + std::string(slug) + ".ONC");
}

CliResult RunZembrixCli(const std::vector<std::string>& arguments,
                        const std::filesystem::path& cwd) {
  CliOptions options;
  options.cwd = cwd;
  return RunZembrixCli(arguments, options);
}

std::optional<std::filesystem::path> ShortSysfsFile() {
  for (const char* path : {"/sys/kernel/mm/transparent_hugepage/enabled", "/sys/power/state",
                           "/sys/kernel/profiling"}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error) &&
        std::filesystem::file_size(path, error) == 4096 && ReadFileBytes(path).size() < 4096) {
      return std::filesystem::path(path);
    }
  }
  return std::nullopt;
}
