// Removing our temporary file when SIGINT, SIGTERM or SIGHUP ends the program
// while the file is being written.
#pragma once

namespace platform {

// Remembers path (copied; async-signal-safe to use) as the file to remove if
// one of those signals arrives, and puts a handler on each of them whose
// disposition is the default. One file at a time.
void GuardTemporaryFile(const char* path);

// Forgets the file: it was renamed into place or removed.
void ReleaseTemporaryFile();

// Holds those signals back for its lifetime, so that one arriving between the
// file's creation and GuardTemporaryFile waits until the file is guarded.
class GuardedSignalsHeld {
 public:
  GuardedSignalsHeld();
  ~GuardedSignalsHeld();
  GuardedSignalsHeld(const GuardedSignalsHeld&) = delete;
  GuardedSignalsHeld& operator=(const GuardedSignalsHeld&) = delete;

 private:
  unsigned long long previous_[16];  // room for a sigset_t
};

}  // namespace platform
