// Runs a hostile user might try on Windows: the program ended from outside
// while it writes the list.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/path_text.h"
#include "platform/windows/command_line.h"
#include "platform/windows/unique_handle.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "hostile_run_files.h"

namespace {

namespace fs = std::filesystem;
using platform::UniqueHandle;

// Starts the CLI on the list and ends it with TerminateProcess, as Task
// Manager would, as soon as its temporary file appears; false when it
// finished before that.
bool ConvertAndTerminate(const fs::path& source, const fs::path& output) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  UniqueHandle null(::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherit, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = null.get();
  startup.hStdError = null.get();
  const fs::path program = platform::PathFromArgument(ZEMBRIX_CLI_PATH);
  std::wstring line = platform::CommandLine(
      program, {"convert", "--type", "lvhua", "--output", platform::PathText(output),
                platform::PathText(source)});
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start zembrix-cli: error " << ::GetLastError();
    return false;
  }
  const UniqueHandle child(process.hProcess);
  const UniqueHandle thread(process.hThread);
  bool terminated = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (::WaitForSingleObject(child.get(), 0) == WAIT_TIMEOUT) {
    if (!terminated && HoldsTemporaryFile(output.parent_path())) {
      terminated = ::TerminateProcess(child.get(), 1) != 0;
    }
    if (std::chrono::steady_clock::now() > deadline) ::TerminateProcess(child.get(), 2);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  DWORD status = 0;
  ::GetExitCodeProcess(child.get(), &status);
  return terminated && status == 1;
}

// Nothing in the program runs when it is terminated: the system itself must
// remove the temporary file, and the earlier list stays whole.
TEST(HostileRuns, ATerminatedRunLeavesNoTemporaryFile) {
  ScratchDir dir;
  WriteLargeList(dir / "list.txt");
  fs::create_directory(dir / "out");
  const fs::path output = dir / "out" / "computer.ONC";
  WriteFileBytes(output, kEarlierList);
  bool caught = false;
  // The write may end before the termination lands; then try again.
  for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
    caught = ConvertAndTerminate(dir / "list.txt", output);
    if (!caught) WriteFileBytes(output, kEarlierList);
  }
  ASSERT_TRUE(caught) << "the run never stood in its write when it was terminated";
  // The system deletes the file as the last handle to it closes, which may
  // come a moment after the process is gone.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (HoldsTemporaryFile(dir / "out") && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(HoldsTemporaryFile(dir / "out"));
  EXPECT_EQ(ReadFileBytes(output), kEarlierList);
}

}  // namespace
