// Running zembrix-cli from tests on Windows: CreateProcessW with its output
// and errors going to files, killed at the timeout. It runs without a
// console, as a program whose output goes to files does.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include <cwchar>

#include "platform/path_text.h"
#include "platform/windows/command_line.h"
#include "platform/windows/unique_handle.h"
#include "platform/windows/wide_text.h"
#include "support/test_files.h"

namespace {

using platform::UniqueHandle;

UniqueHandle CaptureFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throw std::runtime_error("cannot make a capture file: error " +
                             std::to_string(::GetLastError()));
  }
  return file;
}

// Our environment with the options' variables added, as CreateProcessW takes it.
std::wstring EnvironmentBlock(const CliOptions& options) {
  std::wstring block;
  wchar_t* ours = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = ours; *entry; entry += std::wcslen(entry) + 1) {
    const std::wstring text(entry);
    bool replaced = false;
    for (const auto& [name, value] : options.environment) {
      replaced = replaced || text.rfind(platform::WideFromUtf8(name) + L"=", 0) == 0;
    }
    if (!replaced) block += text + L'\0';
  }
  ::FreeEnvironmentStringsW(ours);
  for (const auto& [name, value] : options.environment) {
    block += platform::WideFromUtf8(name + "=" + value) + L'\0';
  }
  return block + L'\0';
}

}  // namespace

CliResult RunZembrixCli(const std::vector<std::string>& arguments, const CliOptions& options) {
  if (options.fileSizeLimit >= 0 || options.asNobody || options.addressSpaceLimit >= 0) {
    throw std::logic_error("resource limits and other users are POSIX-only test options");
  }
  // A name of its own for every run: a file of the run before may linger
  // until the last handle to it closes.
  static std::atomic<unsigned> runs{0};
  const std::filesystem::path outPath =
      std::filesystem::temp_directory_path() /
      ("zembrix-cli-out-" + std::to_string(::GetCurrentProcessId()) + "-" +
       std::to_string(runs++));
  const std::filesystem::path errPath = outPath.native() + L".err";
  CliResult result;
  {
    UniqueHandle out = CaptureFile(outPath);
    UniqueHandle err = CaptureFile(errPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    const std::filesystem::path program = platform::PathFromArgument(ZEMBRIX_CLI_PATH);
    std::wstring line = platform::CommandLine(program, arguments);
    std::wstring environment = EnvironmentBlock(options);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                          CREATE_UNICODE_ENVIRONMENT | DETACHED_PROCESS, environment.data(),
                          options.cwd.empty() ? nullptr : options.cwd.c_str(), &startup,
                          &process)) {
      throw std::runtime_error("cannot start zembrix-cli");
    }
    UniqueHandle child(process.hProcess);
    UniqueHandle thread(process.hThread);
    if (::WaitForSingleObject(child.get(), static_cast<DWORD>(options.timeoutSeconds) * 1000) !=
        WAIT_OBJECT_0) {
      ::TerminateProcess(child.get(), 1);
      ::WaitForSingleObject(child.get(), INFINITE);
      result.status = -2;
    } else {
      DWORD status = 0;
      ::GetExitCodeProcess(child.get(), &status);
      result.status = static_cast<int>(status);
      PROCESS_MEMORY_COUNTERS memory{};
      memory.cb = sizeof memory;
      if (::GetProcessMemoryInfo(child.get(), &memory, sizeof memory)) {
        result.peakResidentKiB = static_cast<long>(memory.PeakWorkingSetSize / 1024);
      }
    }
  }
  result.out = ReadFileBytes(outPath);
  result.err = ReadFileBytes(errPath);
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return result;
}
