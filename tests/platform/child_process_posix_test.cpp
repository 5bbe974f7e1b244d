// What a child process starts with on POSIX, whatever state its parent is in.
#include "platform/child_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "platform/source_file.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// The calling thread's signal mask and SIGUSR2's disposition, put back on
// leaving the scope.
class SignalStateGuard {
 public:
  SignalStateGuard() {
    pthread_sigmask(SIG_SETMASK, nullptr, &mask_);
    sigaction(SIGUSR2, nullptr, &usr2_);
  }
  ~SignalStateGuard() {
    pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
    sigaction(SIGUSR2, &usr2_, nullptr);
  }
  SignalStateGuard(const SignalStateGuard&) = delete;
  SignalStateGuard& operator=(const SignalStateGuard&) = delete;

 private:
  sigset_t mask_;
  struct sigaction usr2_ {};
};

bool SameMask(const sigset_t& a, const sigset_t& b) {
  for (int signal = 1; signal < NSIG; ++signal) {
    if (sigismember(&a, signal) != sigismember(&b, signal)) return false;
  }
  return true;
}

constexpr unsigned long long kStandardSignals = (1ull << 31) - 1;  // signals 1 to 31

// A signal set from /proc/PID/status output, bit N-1 for signal N.
unsigned long long SignalSet(const std::string& status, const std::string& name) {
  const std::size_t at = status.find(name + ":\t");
  if (at == std::string::npos) return ~0ull;
  return std::stoull(status.substr(at + name.size() + 2, 16), nullptr, 16);
}

// The parent blocks one signal, ignores another and holds a descriptor open
// without close-on-exec; the child must see none of that, and must lead a
// process group of its own so that ending the run can end all it started.
TEST(ChildProcess, StartsAloneWithOnlyItsStandardDescriptorsAndDefaultSignals) {
  ScratchDir dir;
  WriteFileBytes(dir / "input", "database");
  WriteFileBytes(dir / "inherited", "");
  const fs::path script = dir / "report.sh";
  WriteFileBytes(script,
                 "#!/bin/sh\n"
                 "set -- $(cat /proc/$$/stat)\n"
                 "echo \"process $1 group $5\"\n"
                 "grep -E '^Sig(Blk|Ign):' /proc/self/status\n"
                 "exec ls -l /proc/self/fd/\n");
  fs::permissions(script, fs::perms::owner_all);
  const std::optional<platform::SourceFile> input = platform::SourceFile::Open(dir / "input");
  ASSERT_TRUE(input);

  const SignalStateGuard restore;
  sigset_t usr1;
  sigemptyset(&usr1);
  sigaddset(&usr1, SIGUSR1);
  ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &usr1, nullptr), 0);
  ASSERT_NE(signal(SIGUSR2, SIG_IGN), SIG_ERR);
  sigset_t maskBefore;
  pthread_sigmask(SIG_SETMASK, nullptr, &maskBefore);
  const int inherited = ::open((dir / "inherited").c_str(), O_RDONLY);
  ASSERT_GE(inherited, 0);

  const platform::ChildResult result =
      platform::RunChildProcess({script, {}, &*input, std::chrono::seconds(10), 1 << 20});
  ::close(inherited);
  sigset_t maskAfter;
  pthread_sigmask(SIG_SETMASK, nullptr, &maskAfter);
  EXPECT_TRUE(SameMask(maskBefore, maskAfter)) << "the caller's signal mask changed";

  ASSERT_EQ(result.end, platform::ChildResult::End::Exited) << result.why;
  EXPECT_EQ(result.exitStatus, 0) << result.output;
  std::istringstream lines(result.output);
  std::string word;
  long process = 0;
  long group = 0;
  lines >> word >> process >> word >> group;
  EXPECT_GT(process, 0) << result.output;
  EXPECT_EQ(group, process) << "not the leader of its own process group";
  EXPECT_EQ(SignalSet(result.output, "SigBlk"), 0u) << result.output;
  // Only the standard signals: the C library keeps some real-time ones to itself.
  EXPECT_EQ(SignalSet(result.output, "SigIgn") & kStandardSignals, 0u) << result.output;
  EXPECT_NE(result.output.find(" 0 -> " + (dir / "input").string() + "\n"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find(" 2 -> /dev/null\n"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find((dir / "inherited").string()), std::string::npos)
      << result.output;
}

TEST(ChildProcess, AProgramThatCannotRunIsReportedWithTheSystemsWords) {
  ScratchDir dir;
  WriteFileBytes(dir / "input", "");
  WriteFileBytes(dir / "not-executable", "#!/bin/sh\n");
  const std::optional<platform::SourceFile> input = platform::SourceFile::Open(dir / "input");
  ASSERT_TRUE(input);
  const struct {
    fs::path program;
    std::string why;
  } cases[] = {
      {dir / "missing", "No such file or directory"},
      {dir / "not-executable", "Permission denied"},
  };
  for (const auto& c : cases) {
    const platform::ChildResult result =
        platform::RunChildProcess({c.program, {}, &*input, std::chrono::seconds(10), 1 << 20});
    EXPECT_EQ(result.end, platform::ChildResult::End::CannotStart) << c.program;
    EXPECT_NE(result.why.find("cannot start " + c.program.string()), std::string::npos)
        << result.why;
    EXPECT_NE(result.why.find(c.why), std::string::npos) << result.why;
  }
}

}  // namespace
