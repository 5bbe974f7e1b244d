// Running zembrix-cli from tests on POSIX: fork, limits, exec.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

#include "support/test_files.h"

CliResult RunZembrixCli(const std::vector<std::string>& arguments, const CliOptions& options) {
  const std::filesystem::path outPath = std::filesystem::temp_directory_path() /
                                        ("zembrix-cli-out-" + std::to_string(::getpid()));
  const std::filesystem::path errPath = outPath.string() + ".err";
  std::vector<std::string> argvStrings{ZEMBRIX_CLI_PATH};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : argvStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("cannot start zembrix-cli");
  if (pid == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
    if (options.asNobody && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(126);
    }
    if (!options.cwd.empty() && ::chdir(options.cwd.c_str()) != 0) ::_exit(126);
    if (options.addressSpaceLimit >= 0) {
      const rlimit limit{static_cast<rlim_t>(options.addressSpaceLimit),
                         static_cast<rlim_t>(options.addressSpaceLimit)};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
    }
    for (const auto& [name, value] : options.environment) ::setenv(name.c_str(), value.c_str(), 1);
    if (options.fileSizeLimit >= 0) {
      const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                         static_cast<rlim_t>(options.fileSizeLimit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(126);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  CliResult result;
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
  rusage usage{};
  while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::wait4(pid, &status, 0, &usage);
      result.status = -2;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (result.status != -2) result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (result.status == -1 && WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.peakResidentKiB = usage.ru_maxrss;  // in KiB on Linux
  result.out = ReadFileBytes(outPath);
  result.err = ReadFileBytes(errPath);
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return result;
}
