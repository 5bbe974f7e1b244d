// Child processes on Windows: exit statuses are 32 bits wide, a child that
// crashes ends at once, without a dialog waiting for someone, and a child
// inherits only its standard handles.
#include "platform/child_process.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/path_text.h"
#include "platform/source_file.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::ChildResult;

ChildResult RunHelper(const std::vector<std::string>& arguments,
                      std::chrono::milliseconds timeLimit = std::chrono::seconds(30)) {
  ScratchDir dir;
  WriteFileBytes(dir / "input", "");
  const std::optional<platform::SourceFile> input = platform::SourceFile::Open(dir / "input");
  if (!input) throw std::runtime_error("cannot open the input");
  return platform::RunChildProcess({platform::PathFromArgument(ZEMBRIX_CHILD_HELPER), arguments,
                                    &*input, timeLimit, 1 << 20});
}

TEST(ChildProcessWindows, ExitStatusesAreNotCutToOneByte) {
  for (const int status : {256, 1000, 65536}) {
    const ChildResult result = RunHelper({"exit", std::to_string(status)});
    EXPECT_EQ(result.end, ChildResult::End::Exited) << result.why;
    EXPECT_EQ(result.exitStatus, status);
  }
}

// Windows ends a child that crashes at once with the exception's code: its
// job lets no error dialog wait for someone. Wine starts its debugger
// instead, and the time limit ends that. Either way the run is over in time.
TEST(ChildProcessWindows, ACrashEndsTheChildWithItsExceptionCode) {
  const auto start = std::chrono::steady_clock::now();
  const ChildResult result = RunHelper({"crash"}, std::chrono::seconds(5));
  if (result.end == ChildResult::End::Exited) {
    EXPECT_EQ(static_cast<unsigned>(result.exitStatus), 0xC0000005u);  // access violation
  } else {
    EXPECT_EQ(result.end, ChildResult::End::TimedOut) << result.why;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// An inheritable handle that the caller holds for something else, such as
// another child's pipe, must not reach this child.
TEST(ChildProcessWindows, OnlyTheStandardHandlesAreInherited) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE event = ::CreateEventW(&inherit, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  const ChildResult result =
      RunHelper({"set-event", std::to_string(reinterpret_cast<std::uintptr_t>(event))});
  EXPECT_EQ(result.end, ChildResult::End::Exited) << result.why;
  EXPECT_EQ(::WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the child could signal the caller's event";
  ::CloseHandle(event);
}

}  // namespace
