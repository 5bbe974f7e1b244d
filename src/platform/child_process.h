// Running a helper program on an open file and collecting what it writes.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/source_file.h"

namespace platform {

struct ChildRun {
  std::filesystem::path program;
  std::vector<std::string> arguments;  // without the program name
  const SourceFile* input = nullptr;   // the child's standard input
  std::chrono::milliseconds timeLimit{};
  std::size_t outputLimit = 0;         // more bytes than this end the child
};

struct ChildResult {
  enum class End {
    Exited,           // exitStatus holds its status
    Signalled,        // signal holds the signal that ended it
    TimedOut,         // still writing at the time limit: killed
    DidNotExit,       // closed its output but still running at the time limit: killed
    TooMuchOutput,    // killed
    CannotStart,      // why holds the system's words
    CannotRead,
    Lost,
  };
  End end = End::CannotStart;
  int exitStatus = -1;
  int signal = 0;
  std::string signalName;
  std::string output;  // standard output, all of it when the child exited
  std::string why;
};

// Starts the child with its standard error discarded, reads its standard
// output until it ends, and kills it when the time or the output runs over.
// The child starts with default, unblocked signals and no descriptors but its
// standard ones, in a process group of its own. Neither it nor anything it
// starts in that group outlives this call: the group is killed as the run
// ends, however it ends. On Linux the child is also killed when the calling
// thread dies (the whole program killed, say) while this call waits for it.
[[nodiscard]] ChildResult RunChildProcess(const ChildRun& run);

// What the names of program files end with on this system.
#if defined(_WIN32)
inline constexpr const char* kProgramSuffix = ".exe";
#else
inline constexpr const char* kProgramSuffix = "";
#endif

// The folder of the running program.
[[nodiscard]] std::filesystem::path ProgramFolder();

}  // namespace platform
