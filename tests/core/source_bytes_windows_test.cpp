// Reading source files on Windows: device names and pipes are no disk files,
// and a file another program holds without sharing cannot be opened.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/source_bytes.h"
#include "platform/windows/unique_handle.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::UniqueHandle;

constexpr SourceMessages kAldMessages{Message::OpenAldFailed, Message::AldSizeFailed,
                                      Message::ReadAldFailed};

TEST(ReadWholeSourceFile, RefusesDevicesAndPipes) {
  ScratchDir dir;
  const std::wstring pipeName =
      L"\\\\.\\pipe\\zembrix-source-" + std::to_wstring(::GetCurrentProcessId());
  const UniqueHandle pipe(::CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND,
                                             PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr));
  ASSERT_TRUE(pipe);
  const fs::path cases[] = {
      L"NUL", L"CON", L"CONIN$", L"\\\\.\\NUL",
      dir.path() / L"nul",      // a device name in any folder is the device
      dir.path() / L"NUL.txt",  // and so with any extension
      pipeName,                 // must not wait for a writer
  };
  for (const fs::path& path : cases) {
    const WholeSourceFile file = ReadWholeSourceFile(path, kAldMessages);
    ASSERT_TRUE(file.failure) << path;
    EXPECT_EQ(file.failure->message, Message::OpenAldFailed) << path;
  }
}

TEST(ReadWholeSourceFile, AFileHeldWithoutSharingCannotBeOpened) {
  ScratchDir dir;
  WriteFileBytes(dir / "wsk.dat", "data");
  const UniqueHandle held(::CreateFileW((dir / "wsk.dat").c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  const WholeSourceFile file = ReadWholeSourceFile(dir / "wsk.dat", kAldMessages);
  ASSERT_TRUE(file.failure);
  EXPECT_EQ(file.failure->message, Message::OpenAldFailed);
}

}  // namespace
