// Child processes on POSIX: posix_spawn, a pipe, poll with a deadline, SIGKILL.
#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/posix/unique_fd.h"

extern char** environ;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kExitPollInterval{5};

// Keeps the descriptors the child is given clear of 0, 1 and 2, so that
// placing them there cannot overwrite one another.
UniqueFd AboveStandardFds(int fd) { return UniqueFd(::fcntl(fd, F_DUPFD_CLOEXEC, 3)); }

ChildResult Ended(ChildResult::End end, std::string why = {}) {
  ChildResult result;
  result.end = end;
  result.why = std::move(why);
  return result;
}

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

  int Start(const ChildRun& run, int input, int output, pid_t& pid) {
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
    std::string program = run.program.native();
    std::vector<std::string> arguments = run.arguments;
    std::vector<char*> argv{program.data()};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return posix_spawn(&pid, program.c_str(), &actions_, &attributes_, argv.data(), environ);
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

ChildResult::End ReadUntilEof(int fd, Clock::time_point deadline, std::size_t limit,
                              std::string& bytes) {
  char chunk[1 << 16];
  for (;;) {
    const auto remaining =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (remaining <= 0) return ChildResult::End::TimedOut;
    pollfd pending{fd, POLLIN, 0};
    const int ready = ::poll(&pending, 1, static_cast<int>(remaining));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return ChildResult::End::CannotRead;
    if (ready == 0) continue;
    const ssize_t count = ::read(fd, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return ChildResult::End::CannotRead;
    if (count == 0) return ChildResult::End::Exited;
    bytes.append(chunk, static_cast<std::size_t>(count));
    if (bytes.size() > limit) return ChildResult::End::TooMuchOutput;
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

}  // namespace

ChildResult RunChildProcess(const ChildRun& run) {
  using End = ChildResult::End;
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    return Ended(End::CannotStart, "cannot make a pipe: " + std::string(std::strerror(errno)));
  }
  UniqueFd readEnd(ends[0]);
  UniqueFd writeEnd = AboveStandardFds(ends[1]);
  ::close(ends[1]);
  const UniqueFd input =
      AboveStandardFds(run.input ? static_cast<int>(run.input->NativeHandle()) : -1);
  if (!writeEnd || !input) return Ended(End::CannotStart, "cannot duplicate a descriptor");

  pid_t pid = 0;
  const int spawned = Spawner().Start(run, input.get(), writeEnd.get(), pid);
  writeEnd.Reset();
  if (spawned != 0) {
    return Ended(End::CannotStart,
                 "cannot start " + run.program.string() + ": " + std::strerror(spawned));
  }

  const Clock::time_point deadline = Clock::now() + run.timeLimit;
  ChildResult result;
  result.end = ReadUntilEof(readEnd.get(), deadline, run.outputLimit, result.output);
  readEnd.Reset();
  if (result.end != End::Exited) {
    ::kill(pid, SIGKILL);
    WaitBlocking(pid);
    return result;
  }
  int status = 0;
  switch (WaitUntil(pid, deadline, status)) {
    case ExitWait::Exited:
      break;
    case ExitWait::Killed:
      return Ended(End::DidNotExit);
    case ExitWait::Lost:
      return Ended(End::Lost);
  }
  if (WIFSIGNALED(status)) {
    result.end = End::Signalled;
    result.signal = WTERMSIG(status);
    result.signalName = ::strsignal(result.signal);
  } else {
    result.exitStatus = WEXITSTATUS(status);
  }
  return result;
}

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace platform
