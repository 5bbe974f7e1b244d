// Fault tests for every source type that need Windows: device names as
// sources, files held open without sharing, read-only files and folders.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <filesystem>
#include <string>

#include "cli/every_type_faults.h"
#include "platform/windows/unique_handle.h"

namespace fault_tests {
namespace {

using platform::UniqueHandle;

// The file opened by this process with the given sharing, as another program
// that has it open would hold it.
UniqueHandle HoldOpen(const fs::path& path, DWORD access, DWORD sharing) {
  UniqueHandle file(::CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ADD_FAILURE() << "cannot open " << path << ": error " << ::GetLastError();
  return file;
}

// Sets a folder's access list from its text form, as an administrator would.
bool SetFolderAccess(const fs::path& folder, const wchar_t* descriptor) {
  PSECURITY_DESCRIPTOR security = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                              &security, nullptr)) {
    return false;
  }
  const bool set = ::SetFileSecurityW(folder.c_str(), DACL_SECURITY_INFORMATION, security) != 0;
  ::LocalFree(security);
  return set;
}

bool CanCreateFileIn(const fs::path& folder) {
  const fs::path probe = folder / "probe";
  UniqueHandle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  file.reset();
  ::DeleteFileW(probe.c_str());
  return true;
}

// Windows opens a device for any of these names, in any folder; a named pipe
// is no disk file either. None may be read, and none may make the run wait.
TEST_P(EveryTypeFaults, ADeviceOrAPipeAsSourceIsRefusedWithoutWaiting) {
  const std::wstring pipeName =
      L"\\\\.\\pipe\\zembrix-test-" + std::to_wstring(::GetCurrentProcessId());
  UniqueHandle pipe(::CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1,
                                       4096, 4096, 0, nullptr));
  ASSERT_TRUE(pipe);
  for (const fs::path& bad : {fs::path(L"NUL"), fs::path(L"CON"), fs::path(L"\\\\.\\NUL"),
                              fs::path(L"CONIN$"), sources / L"NUL", sources / L"nul.txt",
                              fs::path(pipeName)}) {
    ExpectRefusedAsSource(bad);
  }
}

// Another program has the source open and lets no one else open it.
TEST_P(EveryTypeFaults, ASourceHeldWithoutSharingCannotBeRead) {
  const FileState before = StateOf(source);
  {
    const UniqueHandle held = HoldOpen(source, GENERIC_READ, 0);
    const CliResult result = Convert(source, output);
    EXPECT_EQ(result.status, 1) << result.err;
    const SourceMessages& own = GetParam().messages;
    const std::string first = FirstLine(result.err);
    EXPECT_TRUE(first == Line(own.openFailed) || first == Line(own.readFailed)) << result.err;
  }
  ExpectOutputsUntouched(kEarlierList);
  EXPECT_TRUE(StateOf(source) == before);
}

// Marked read-only, as the file's properties in Explorer or "attrib +r" mark it.
TEST_P(EveryTypeFaults, AReadOnlyOutputFileIsNotReplaced) {
  fs::permissions(output, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_NE(::GetFileAttributesW(output.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  const FileState before = StateOf(output);
  const CliResult result = Convert(source, output);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, Line(Message::CreateFileFailed));
  EXPECT_TRUE(StateOf(output) == before);
  ExpectOutputsUntouched(kEarlierList);
}

// A folder whose access list lets no one add a file.
TEST_P(EveryTypeFaults, AFolderThatMayNotBeWrittenKeepsTheEarlierList) {
  ASSERT_TRUE(SetFolderAccess(outputs, L"D:P(D;OICI;0x6;;;WD)(A;OICI;FA;;;WD)"));
  const bool enforced = !CanCreateFileIn(outputs);
  const CliResult result = enforced ? Convert(source, output) : CliResult{};
  ASSERT_TRUE(SetFolderAccess(outputs, L"D:P(A;OICI;FA;;;WD)"));
  if (!enforced) GTEST_SKIP() << "this system does not enforce access lists on folders";
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, Line(Message::CreateFileFailed));
  ExpectOutputsUntouched(kEarlierList);
}

// Another program has the earlier list open: without sharing, the run cannot
// open it; sharing all but deletion, the new list cannot take its place. The
// earlier list stays as it is, and the temporary file goes.
TEST_P(EveryTypeFaults, ALockedOutputFileIsLeftAsItIs) {
  const struct {
    DWORD sharing;
    Message message;
  } cases[] = {
      {0, Message::CreateFileFailed},
      {FILE_SHARE_READ | FILE_SHARE_WRITE, Message::WriteFileFailed},
  };
  for (const auto& c : cases) {
    const FileState before = StateOf(output);
    {
      const UniqueHandle held = HoldOpen(output, GENERIC_READ, c.sharing);
      const CliResult result = Convert(source, output);
      EXPECT_EQ(result.status, 1) << c.sharing;
      EXPECT_EQ(result.err, Line(c.message)) << c.sharing;
    }
    EXPECT_TRUE(StateOf(output) == before) << c.sharing;
    ExpectOutputsUntouched(kEarlierList);
  }
}

// A temporary file that no running conversion holds open is a leftover (a
// killed run, a power cut) and goes with the next run into that folder; one
// that a running conversion holds stays.
TEST_P(EveryTypeFaults, AStaleTemporaryFileGoesAndAHeldOneStays) {
  WriteFileBytes(outputs / ".zembrix-Stale1", "half a list");
  WriteFileBytes(outputs / ".zembrix-Held01", "being written");
  {
    const UniqueHandle held = HoldOpen(outputs / ".zembrix-Held01", GENERIC_WRITE, 0);
    const CliResult result = Convert(source, output);
    EXPECT_EQ(result.status, 0) << result.err;
  }
  EXPECT_FALSE(fs::exists(outputs / ".zembrix-Stale1"));
  EXPECT_EQ(ReadFileBytes(outputs / ".zembrix-Held01"), "being written");
  fs::remove(outputs / ".zembrix-Held01");
  ExpectOutputsUntouched(ReadFileBytes(ExampleOutput(GetParam().slug)));
}

// Windows file names ignore case and take either slash: an output written so
// still names the source.
TEST_P(EveryTypeFaults, AnOutputThatIsTheSourceByAnotherSpellingIsRefused) {
  const FileState before = StateOf(source);
  std::wstring upper = source.filename().native();
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  std::wstring slashes = source.native();
  for (wchar_t& c : slashes) c = c == L'\\' ? L'/' : c;
  const fs::path cases[] = {sources / upper, fs::path(slashes)};
  for (const fs::path& same : cases) {
    const CliResult result = Convert(source, same);
    EXPECT_EQ(result.status, 1) << same;
    EXPECT_EQ(result.err, Line(Message::OutputIsSource)) << same;
  }
  EXPECT_TRUE(StateOf(source) == before);
}

}  // namespace
}  // namespace fault_tests
