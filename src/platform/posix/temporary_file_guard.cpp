// The signal handler that removes the temporary file, then ends the program as
// the signal would have.
#include "platform/posix/temporary_file_guard.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace platform {
namespace {

constexpr std::array kGuardedSignals = {SIGINT, SIGTERM, SIGHUP};

char guardedPath[PATH_MAX + 1];
volatile sig_atomic_t guarding = 0;

extern "C" void RemoveTemporaryAndDie(int signal) {
  if (guarding) ::unlink(guardedPath);
  // SA_RESETHAND put the default action back; the signal is blocked until this
  // handler returns, then it ends the program with its usual status.
  ::raise(signal);
}

void InstallHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (const int signal : kGuardedSignals) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndDie;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int other : kGuardedSignals) sigaddset(&action.sa_mask, other);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace

void GuardTemporaryFile(const char* path) {
  InstallHandlers();
  guarding = 0;
  std::strncpy(guardedPath, path, PATH_MAX);
  guardedPath[PATH_MAX] = '\0';
  guarding = 1;
}

void ReleaseTemporaryFile() { guarding = 0; }

static_assert(sizeof(sigset_t) <= sizeof(unsigned long long[16]));

GuardedSignalsHeld::GuardedSignalsHeld() {
  sigset_t guarded;
  sigemptyset(&guarded);
  for (const int signal : kGuardedSignals) sigaddset(&guarded, signal);
  ::sigprocmask(SIG_BLOCK, &guarded, reinterpret_cast<sigset_t*>(previous_));
}

GuardedSignalsHeld::~GuardedSignalsHeld() {
  ::sigprocmask(SIG_SETMASK, reinterpret_cast<sigset_t*>(previous_), nullptr);
}

}  // namespace platform
