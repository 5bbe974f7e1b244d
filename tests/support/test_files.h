// Reading and writing whole files, running the command line, for tests.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);
[[nodiscard]] std::string ReadFileBytes(const std::filesystem::path& path);

// A fixture under tests/data.
[[nodiscard]] std::filesystem::path TestDataPath(const std::string& relative);

// The sample sources under examples/<slug>/ (not the .sql, .sh or .md files
// that make or describe them), and what they convert to.
[[nodiscard]] std::vector<std::filesystem::path> ExampleSources(std::string_view slug);
[[nodiscard]] std::filesystem::path ExampleOutput(std::string_view slug);

// A sysfs file that tells a size of 4096 and holds fewer bytes: a read of it
// comes short. Nothing when this system has none of them.
[[nodiscard]] std::optional<std::filesystem::path> ShortSysfsFile();

struct CliOptions {
  std::filesystem::path cwd;
  long fileSizeLimit = -1;  // RLIMIT_FSIZE for the run, in bytes; -1: none
  int timeoutSeconds = 30;  // the run is killed after this and reported as hung
  bool asNobody = false;    // when we are root, run as user and group 65534
  long addressSpaceLimit = -1;  // RLIMIT_AS for the run, in bytes; -1: none
  std::vector<std::pair<std::string, std::string>> environment;  // added to ours
};

struct CliResult {
  int status = -1;  // exit status; -1 killed by a signal; -2 hung past the timeout
  int signal = 0;   // the signal that ended it, when status is -1
  std::string out;
  std::string err;
  long peakResidentKiB = 0;  // the run's peak resident memory; 0: the system does not tell
};

// Runs the built zembrix-cli with arguments in folder `cwd`.
[[nodiscard]] CliResult RunZembrixCli(const std::vector<std::string>& arguments,
                                      const std::filesystem::path& cwd = {});
[[nodiscard]] CliResult RunZembrixCli(const std::vector<std::string>& arguments,
                                      const CliOptions& options);
