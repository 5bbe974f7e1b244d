// File and process helpers for tests.
#include "support/test_files.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/utf8.h"

extern char** environ;

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::u16string WidePath(const std::filesystem::path& path) { return Utf8ToWide(path.string()); }

std::filesystem::path TestDataPath(const std::string& relative) {
  return std::filesystem::path(ZEMBRIX_TEST_DATA_DIR) / relative;
}

CliResult RunZembrixCli(const std::vector<std::string>& arguments,
                        const std::filesystem::path& cwd) {
  const std::filesystem::path outPath = std::filesystem::temp_directory_path() /
                                        ("zembrix-cli-out-" + std::to_string(::getpid()));
  const std::filesystem::path errPath = outPath.string() + ".err";
  std::vector<std::string> argvStrings{ZEMBRIX_CLI_PATH};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : argvStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, ZEMBRIX_CLI_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start zembrix-cli");
  int status = 0;
  ::waitpid(pid, &status, 0);
  CliResult result;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadFileBytes(outPath);
  result.err = ReadFileBytes(errPath);
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return result;
}
