// Child processes on POSIX: fork and exec, a pipe, poll with a deadline, and
// SIGKILL to the child's whole process group.
#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/posix/unique_fd.h"

extern char** environ;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kExitPollInterval{5};
constexpr int kCannotExec = 127;

// Keeps the descriptors the child is given clear of 0, 1 and 2, so that
// placing them there cannot overwrite one another.
UniqueFd AboveStandardFds(int fd) { return UniqueFd(::fcntl(fd, F_DUPFD_CLOEXEC, 3)); }

ChildResult Ended(ChildResult::End end, std::string why = {}) {
  ChildResult result;
  result.end = end;
  result.why = std::move(why);
  return result;
}

// The command line as exec wants it.
class Argv {
 public:
  explicit Argv(const ChildRun& run) : strings_{run.program.native()} {
    strings_.insert(strings_.end(), run.arguments.begin(), run.arguments.end());
    for (std::string& text : strings_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
  }
  Argv(const Argv&) = delete;
  Argv& operator=(const Argv&) = delete;

  const char* program() const { return pointers_.front(); }
  char* const* get() const { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<char*> pointers_;
};

// Everything the child needs, made before the fork: between fork and exec the
// child of a threaded process may only make async-signal-safe calls.
struct ChildSetup {
  const char* program;
  char* const* argv;
  char* const* environment;
  int input;         // the descriptors above 2 that become 0 and 1
  int output;
  int execFailure;   // close-on-exec; gets errno when the exec fails
  pid_t parent;
  int descriptorLimit;  // where marking descriptors close-on-exec one by one stops
};

[[noreturn]] void FailBeforeExec(const ChildSetup& setup) {
  const int error = errno;
  (void)!::write(setup.execFailure, &error, sizeof error);
  ::_exit(kCannotExec);
}

// Descriptors the parent holds without close-on-exec stay out of the child.
void CloseOthersOnExec(const ChildSetup& setup) {
#if defined(CLOSE_RANGE_CLOEXEC)
  if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
#endif
  for (int fd = 3; fd < setup.descriptorLimit; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Signals the parent ignores would stay ignored across the exec; its handlers
// must not run here either. The parent blocked every signal for the fork, so
// none is taken before this.
void DefaultSignals() {
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &byDefault, nullptr);
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

// In the child, between fork and exec.
[[noreturn]] void StartChild(const ChildSetup& setup) {
  // A group of its own, so that ending the run ends whatever it starts.
  if (::setpgid(0, 0) != 0) FailBeforeExec(setup);
#if defined(__linux__)
  // Killed when the thread that started it dies, however that dies. This
  // survives the exec, so it holds for an interpreter running a script too.
  if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) FailBeforeExec(setup);
  if (::getppid() != setup.parent) ::_exit(kCannotExec);  // it died before the prctl
#endif
  if (::dup2(setup.input, STDIN_FILENO) < 0 || ::dup2(setup.output, STDOUT_FILENO) < 0) {
    FailBeforeExec(setup);
  }
  const int null = ::open("/dev/null", O_WRONLY);
  if (null < 0) FailBeforeExec(setup);
  if (null != STDERR_FILENO) {
    if (::dup2(null, STDERR_FILENO) < 0) FailBeforeExec(setup);
    ::close(null);
  }
  CloseOthersOnExec(setup);
  DefaultSignals();
  ::execve(setup.program, setup.argv, setup.environment);
  FailBeforeExec(setup);
}

int DescriptorLimit() {
  const long limit = ::sysconf(_SC_OPEN_MAX);
  return limit > 0 && limit < (1L << 30) ? static_cast<int>(limit) : 1 << 20;
}

int WaitBlocking(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

// A started child, ended with its group when this goes, however the run ends.
class RunningChild {
 public:
  explicit RunningChild(pid_t pid) : pid_(pid) {}
  RunningChild(const RunningChild&) = delete;
  RunningChild& operator=(const RunningChild&) = delete;
  ~RunningChild() {
    if (pid_ > 0) End();
  }

  pid_t pid() const { return pid_; }

  // Kills the child's process group, and the child in case it left the group,
  // then collects the child and gives its wait status. Until it is collected
  // the child's id, which is also its group's id, cannot go to another process.
  int End() {
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    return WaitBlocking(std::exchange(pid_, 0));
  }

  // Someone else collected it, so its id may be another process's by now.
  void Forget() { pid_ = 0; }

 private:
  pid_t pid_;
};

struct Started {
  pid_t pid = -1;
  int error = 0;  // why it could not start
};

Started Start(const ChildRun& run, int input, int output) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return {-1, errno};
  const UniqueFd failureRead(ends[0]);
  UniqueFd failureWrite = AboveStandardFds(ends[1]);
  ::close(ends[1]);
  if (!failureWrite) return {-1, errno};

  const Argv argv(run);
  const ChildSetup setup{argv.program(),     argv.get(), environ,          input, output,
                         failureWrite.get(), ::getpid(), DescriptorLimit()};
  sigset_t all;
  sigset_t before;
  sigfillset(&all);
  ::pthread_sigmask(SIG_SETMASK, &all, &before);
  const pid_t pid = ::fork();
  const int forkError = errno;
  if (pid == 0) StartChild(setup);
  ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
  if (pid < 0) return {-1, forkError};
  failureWrite.Reset();

  // The exec closes the other end: nothing to read means the program runs.
  int error = 0;
  ssize_t count;
  while ((count = ::read(failureRead.get(), &error, sizeof error)) < 0 && errno == EINTR) {
  }
  if (count == static_cast<ssize_t>(sizeof error)) {
    RunningChild(pid).End();
    return {-1, error};
  }
  return {pid, 0};
}

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

enum class ExitWait { Exited, TimedOut, Lost };

// Waits until the deadline for the process to exit, leaving it to be collected.
ExitWait WaitForExit(pid_t pid, Clock::time_point deadline) {
  for (;;) {
    siginfo_t info{};
    const int done = ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT);
    if (done == 0 && info.si_pid == pid) return ExitWait::Exited;
    if (done < 0 && errno != EINTR) return ExitWait::Lost;
    if (Clock::now() >= deadline) return ExitWait::TimedOut;
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

  const Started started = Start(run, input.get(), writeEnd.get());
  writeEnd.Reset();
  if (started.pid < 0) {
    return Ended(End::CannotStart,
                 "cannot start " + run.program.string() + ": " + std::strerror(started.error));
  }
  RunningChild child(started.pid);

  const Clock::time_point deadline = Clock::now() + run.timeLimit;
  ChildResult result;
  result.end = ReadUntilEof(readEnd.get(), deadline, run.outputLimit, result.output);
  readEnd.Reset();
  if (result.end != End::Exited) return result;
  switch (WaitForExit(child.pid(), deadline)) {
    case ExitWait::Exited:
      break;
    case ExitWait::TimedOut:
      return Ended(End::DidNotExit);
    case ExitWait::Lost:
      child.Forget();
      return Ended(End::Lost);
  }
  const int status = child.End();
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
