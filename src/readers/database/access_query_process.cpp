// Starting the query process, collecting its rows and ending it at the limit.
#include "readers/database/access_query_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "core/unique_fd.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Far more than any machine list; a runaway process must not fill memory.
constexpr std::size_t kMaxStreamBytes = std::size_t{64} << 20;
constexpr std::chrono::milliseconds kExitPollInterval{5};

AccessQueryResult Failed(std::string error) { return {std::nullopt, std::move(error)}; }

std::string LimitText(std::chrono::milliseconds limit) {
  return std::to_string(limit.count()) + " ms";
}

// Keeps the descriptors the child is given clear of 0, 1 and 2, so that
// placing them there cannot overwrite one another.
UniqueFd AboveStandardFds(int fd) { return UniqueFd(::fcntl(fd, F_DUPFD_CLOEXEC, 3)); }

class Spawner {
 public:
  Spawner() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
  }
  ~Spawner() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attributes_);
  }
  Spawner(const Spawner&) = delete;
  Spawner& operator=(const Spawner&) = delete;

  // Standard input is the database, standard output the pipe; the library's
  // own complaints on standard error are not for the user.
  int Start(const std::string& path, std::vector<std::string> arguments, int input, int output,
            pid_t& pid) {
    posix_spawn_file_actions_adddup2(&actions_, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions_, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes_, &none);
    posix_spawnattr_setsigdefault(&attributes_, &all);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return posix_spawn(&pid, path.c_str(), &actions_, &attributes_, argv.data(), environ);
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

enum class ReadEnd { Eof, TimedOut, TooMuch, Failed };

ReadEnd ReadUntilEof(int fd, Clock::time_point deadline, std::string& bytes) {
  char chunk[1 << 16];
  for (;;) {
    const auto remaining =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (remaining <= 0) return ReadEnd::TimedOut;
    pollfd pending{fd, POLLIN, 0};
    const int ready = ::poll(&pending, 1, static_cast<int>(remaining));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return ReadEnd::Failed;
    if (ready == 0) continue;
    const ssize_t count = ::read(fd, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return ReadEnd::Failed;
    if (count == 0) return ReadEnd::Eof;
    bytes.append(chunk, static_cast<std::size_t>(count));
    if (bytes.size() > kMaxStreamBytes) return ReadEnd::TooMuch;
  }
}

int WaitBlocking(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

enum class ExitWait { Exited, Killed, Lost };

// Waits for the exit status until the deadline, then kills the process.
ExitWait WaitUntil(pid_t pid, Clock::time_point deadline, int& status) {
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return ExitWait::Exited;
    if (done < 0 && errno != EINTR) return ExitWait::Lost;
    if (Clock::now() >= deadline) {
      ::kill(pid, SIGKILL);
      WaitBlocking(pid);
      return ExitWait::Killed;
    }
    std::this_thread::sleep_for(kExitPollInterval);
  }
}

std::string DescribeExit(int status) {
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return "the Access query process ended by signal " + std::to_string(signal) + " (" +
           ::strsignal(signal) + ")";
  }
  return "the Access query process exited with status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

AccessQueryResult RunAccessQuery(const AccessQuery& query) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0)
    return Failed("cannot make a pipe: " + std::string(std::strerror(errno)));
  UniqueFd readEnd(ends[0]);
  UniqueFd writeEnd = AboveStandardFds(ends[1]);
  ::close(ends[1]);
  const UniqueFd database = AboveStandardFds(query.databaseFd);
  if (!writeEnd || !database) return Failed("cannot duplicate a descriptor");

  std::vector<std::string> arguments{query.helperPath};
  if (!query.jet3Charset.empty()) {
    arguments.insert(arguments.end(), {"--jet3-charset", query.jet3Charset});
  }
  arguments.push_back(query.sql);
  arguments.insert(arguments.end(), query.fields.begin(), query.fields.end());

  pid_t pid = 0;
  const int spawned =
      Spawner().Start(query.helperPath, arguments, database.get(), writeEnd.get(), pid);
  writeEnd.Reset();
  if (spawned != 0) {
    return Failed("cannot start " + query.helperPath + ": " + std::strerror(spawned));
  }

  const Clock::time_point deadline = Clock::now() + query.timeLimit;
  std::string bytes;
  const ReadEnd end = ReadUntilEof(readEnd.get(), deadline, bytes);
  readEnd.Reset();
  if (end != ReadEnd::Eof) {
    ::kill(pid, SIGKILL);
    WaitBlocking(pid);
    if (end == ReadEnd::TimedOut) {
      return Failed("the Access query took longer than " + LimitText(query.timeLimit) +
                    " and was stopped");
    }
    if (end == ReadEnd::TooMuch) return Failed("the Access query gave too much data");
    return Failed("cannot read from the Access query process");
  }
  int status = 0;
  switch (WaitUntil(pid, deadline, status)) {
    case ExitWait::Exited:
      break;
    case ExitWait::Killed:
      return Failed("the Access query process did not end within " + LimitText(query.timeLimit));
    case ExitWait::Lost:
      return Failed("lost the Access query process");
  }

  AccessRowStream stream = ParseAccessRowStream(bytes, query.fields.size());
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && stream.complete) {
    return {std::move(stream.rows), {}};
  }
  if (stream.error) return Failed(*stream.error);
  return Failed(DescribeExit(status));
}
