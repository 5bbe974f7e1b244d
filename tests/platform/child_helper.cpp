// A child for the child process tests: does the one thing its arguments name.
//   exit N               exits with status N
//   copy-input           copies standard input to standard output
//   write N              writes N bytes, then exits
//   write-forever        writes until it is ended
//   sleep MS             writes nothing for MS milliseconds, then exits
//   close-and-sleep MS   closes standard output, then sleeps
//   print-arguments      writes each argument after this one on a line
//   crash                reads from address zero
//   set-event HANDLE     (Windows) signals the event with this handle value
//   grandchild FILE      starts a process that appends to FILE every 20 ms,
//                        waits until it has, then sleeps without end
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

[[noreturn]] void SleepForever() {
  for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}

[[noreturn]] void Heartbeat(const std::filesystem::path& file) {
  for (;;) {
    std::ofstream(file, std::ios::binary | std::ios::app) << 'x';
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

#if defined(_WIN32)
std::string Utf8(const wchar_t* text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 1, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  bytes.pop_back();
  return bytes;
}

bool StartHeartbeat(const std::filesystem::path& file) {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  std::wstring line = L"\"" + self + L"\" heartbeat \"" + file.native() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(self.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}
#else
bool StartHeartbeat(const std::filesystem::path& file) {
  const pid_t pid = ::fork();
  if (pid == 0) Heartbeat(file);
  return pid > 0;
}
#endif

int Run(const std::vector<std::string>& args) {
  const std::string what = args.size() > 1 ? args[1] : "";
  const std::string value = args.size() > 2 ? args[2] : "";
  if (what == "exit") return std::atoi(value.c_str());
  if (what == "copy-input") {
    char chunk[4096];
    std::size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) {
      std::fwrite(chunk, 1, count, stdout);
    }
    return 0;
  }
  if (what == "write") {
    const std::string bytes(std::strtoul(value.c_str(), nullptr, 10), 'x');
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return 0;
  }
  if (what == "write-forever") {
    const std::string bytes(4096, 'x');
    while (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) {
    }
    return 0;
  }
  if (what == "sleep") {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(value.c_str())));
    return 0;
  }
  if (what == "close-and-sleep") {
    std::fclose(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(value.c_str())));
    return 0;
  }
#if defined(_WIN32)
  if (what == "set-event") {
    const auto handle = static_cast<std::uintptr_t>(std::strtoull(value.c_str(), nullptr, 10));
    return ::SetEvent(reinterpret_cast<HANDLE>(handle)) ? 0 : 1;
  }
#endif
  if (what == "crash") {
    volatile int* nowhere = nullptr;
    return *nowhere;
  }
  if (what == "print-arguments") {
    for (std::size_t i = 2; i < args.size(); ++i) std::printf("%s\n", args[i].c_str());
    return 0;
  }
  const std::filesystem::path file(std::u8string(value.begin(), value.end()));
  if (what == "heartbeat") Heartbeat(file);
  if (what == "grandchild") {
    if (!StartHeartbeat(file)) return 2;
    std::error_code error;
    while (std::filesystem::file_size(file, error) == 0 || error) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    SleepForever();
  }
  return 100;
}

}  // namespace

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(Utf8(argv[i]));
  return Run(args);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv, argv + argc)); }
#endif
