// Running a child process: its exit status, its output, and the limits that
// end it, with a helper program that does what its arguments say.
#include "platform/child_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/path_text.h"
#include "platform/source_file.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::ChildResult;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

const fs::path& Helper() {
  static const fs::path helper = platform::PathFromArgument(ZEMBRIX_CHILD_HELPER);
  return helper;
}

// Runs the helper with the file as its standard input.
class ChildProcessTest : public testing::Test {
 protected:
  void SetUp() override {
    static constexpr char kInput[] = "input\r\nbytes\0\xFF";
    WriteFileBytes(inputPath, {kInput, sizeof kInput - 1});
  }

  ChildResult Run(const std::vector<std::string>& arguments, milliseconds timeLimit = seconds(30),
                  std::size_t outputLimit = 1 << 20, const fs::path& program = Helper()) {
    const std::optional<platform::SourceFile> input = platform::SourceFile::Open(inputPath);
    if (!input) throw std::runtime_error("cannot open the input");
    return platform::RunChildProcess({program, arguments, &*input, timeLimit, outputLimit});
  }

  ScratchDir dir;
  fs::path inputPath = dir / "input";
};

TEST_F(ChildProcessTest, GivesTheExitStatus) {
  for (const int status : {0, 1, 3, 127, 255}) {
    const ChildResult result = Run({"exit", std::to_string(status)});
    EXPECT_EQ(result.end, ChildResult::End::Exited) << status << " " << result.why;
    EXPECT_EQ(result.exitStatus, status);
  }
}

TEST_F(ChildProcessTest, TheInputIsTheOpenFileAndTheOutputComesWhole) {
  const ChildResult copied = Run({"copy-input"});
  EXPECT_EQ(copied.end, ChildResult::End::Exited) << copied.why;
  EXPECT_EQ(copied.output, ReadFileBytes(inputPath));

  const ChildResult written = Run({"write", "300000"});
  EXPECT_EQ(written.end, ChildResult::End::Exited) << written.why;
  EXPECT_EQ(written.output, std::string(300000, 'x'));
}

// Each argument reaches the child as it was given, whatever it holds.
TEST_F(ChildProcessTest, ArgumentsArriveUnchanged) {
  const std::vector<std::string> arguments = {
      "plain", "two words", "", "\"quoted\"", "back\\slash", "ends\\", "ends with \\",
      "\\\"", "tab\there", "网吧一号机", "\U0001F600", "a=b;c&d|e<f>g^h%PATH%",
  };
  std::vector<std::string> command = {"print-arguments"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  const ChildResult result = Run(command);
  ASSERT_EQ(result.end, ChildResult::End::Exited) << result.why;
  std::string expected;
  for (const std::string& argument : arguments) expected += argument + "\n";
  EXPECT_EQ(result.output, expected);
}

TEST_F(ChildProcessTest, AProgramWhoseNameIsNotAsciiRuns) {
  const fs::path copy =
      dir.path() / (u8"子进程 \U0001F600" + std::u8string(
                        reinterpret_cast<const char8_t*>(platform::kProgramSuffix)));
  fs::copy_file(Helper(), copy);
  fs::permissions(copy, fs::perms::owner_all);
  const ChildResult result = Run({"exit", "7"}, seconds(30), 1 << 20, copy);
  EXPECT_EQ(result.end, ChildResult::End::Exited) << result.why;
  EXPECT_EQ(result.exitStatus, 7);
}

// A child that neither ends nor writes is killed at the time limit; so is one
// that closed its output but goes on running.
TEST_F(ChildProcessTest, TheTimeLimitEndsAChildThatDoesNotFinish) {
  const struct {
    const char* what;
    ChildResult::End end;
  } cases[] = {
      {"sleep", ChildResult::End::TimedOut},
      {"close-and-sleep", ChildResult::End::DidNotExit},
  };
  for (const auto& c : cases) {
    const auto start = Clock::now();
    const ChildResult result = Run({c.what, "60000"}, seconds(3));
    EXPECT_EQ(result.end, c.end) << c.what << " " << result.why;
    EXPECT_LT(Clock::now() - start, seconds(20)) << c.what;
  }
}

TEST_F(ChildProcessTest, TooMuchOutputEndsTheChild) {
  const auto start = Clock::now();
  const ChildResult result = Run({"write-forever"}, seconds(60), 1 << 20);
  EXPECT_EQ(result.end, ChildResult::End::TooMuchOutput) << result.why;
  EXPECT_LT(Clock::now() - start, seconds(30));
}

// What the child started goes with it when the run ends: the grandchild
// stops adding to its file.
TEST_F(ChildProcessTest, WhatTheChildStartedEndsWithTheRun) {
  const fs::path heartbeat = dir / "heartbeat";
  WriteFileBytes(heartbeat, "");
  const ChildResult result = Run({"grandchild", platform::PathText(heartbeat)}, seconds(5));
  EXPECT_EQ(result.end, ChildResult::End::TimedOut) << result.why;
  ASSERT_GT(fs::file_size(heartbeat), 0u) << "the grandchild never started";
  // Allow for a write under way as the run ended.
  std::this_thread::sleep_for(milliseconds(200));
  const auto size = fs::file_size(heartbeat);
  std::this_thread::sleep_for(milliseconds(500));
  EXPECT_EQ(fs::file_size(heartbeat), size) << "the grandchild outlived the run";
}

TEST_F(ChildProcessTest, AMissingProgramCannotStart) {
  const fs::path missing = dir / (std::string("missing") + platform::kProgramSuffix);
  const ChildResult result = Run({}, seconds(30), 1 << 20, missing);
  EXPECT_EQ(result.end, ChildResult::End::CannotStart);
  EXPECT_NE(result.why.find("cannot start " + platform::PathText(missing) + ": "),
            std::string::npos)
      << result.why;
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
  const fs::path folder = platform::ProgramFolder();
  EXPECT_TRUE(fs::exists(folder / (std::string("platform_test") + platform::kProgramSuffix)))
      << folder;
}

}  // namespace
