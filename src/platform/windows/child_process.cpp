// Child processes on Windows: CreateProcessW with a pipe for its output, in a
// job object that kills it, and anything it starts, when the run ends.
#include "platform/child_process.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/windows/command_line.h"
#include "platform/windows/unique_handle.h"
#include "platform/windows/wide_text.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

ChildResult Ended(ChildResult::End end, std::string why = {}) {
  ChildResult result;
  result.end = end;
  result.why = std::move(why);
  return result;
}

std::string SystemWords(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
  if (text) ::LocalFree(text);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) {
    words.pop_back();
  }
  return Utf8FromWide(words);
}

UniqueHandle Inheritable(HANDLE handle) {
  HANDLE copy = nullptr;
  if (!::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS)) {
    return UniqueHandle();
  }
  return UniqueHandle(copy);
}

// Reads the pipe to its end on a thread of its own, so that the caller can
// wait with a deadline.
class OutputReader {
 public:
  OutputReader(HANDLE pipe, std::size_t limit) : thread_([this, pipe, limit] { Run(pipe, limit); }) {}
  ~OutputReader() { if (thread_.joinable()) thread_.join(); }

  // True when the reader finished before the deadline.
  bool WaitUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return done_changed_.wait_until(lock, deadline, [this] { return done_; });
  }
  void Join() { thread_.join(); }

  ChildResult::End end = ChildResult::End::Exited;
  std::string bytes;

 private:
  void Run(HANDLE pipe, std::size_t limit) {
    char chunk[1 << 16];
    for (;;) {
      DWORD count = 0;
      if (!::ReadFile(pipe, chunk, sizeof chunk, &count, nullptr)) {
        if (::GetLastError() != ERROR_BROKEN_PIPE) end = ChildResult::End::CannotRead;
        break;
      }
      if (count == 0) continue;
      bytes.append(chunk, count);
      if (bytes.size() > limit) {
        end = ChildResult::End::TooMuchOutput;
        break;
      }
    }
    std::lock_guard lock(mutex_);
    done_ = true;
    done_changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable done_changed_;
  bool done_ = false;
  std::thread thread_;
};

// The handles a child inherits, and no other: whatever else this process
// holds inheritable (another thread's child's pipe, say) stays out of it.
class InheritedHandles {
 public:
  explicit InheritedHandles(std::initializer_list<HANDLE> handles) {
    for (const HANDLE handle : handles) {
      if (std::find(handles_.begin(), handles_.end(), handle) == handles_.end()) {
        handles_.push_back(handle);
      }
    }
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    auto* const list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!::InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    if (!::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                     handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
      ::DeleteProcThreadAttributeList(list);
      return;
    }
    list_ = list;
  }
  ~InheritedHandles() {
    if (list_) ::DeleteProcThreadAttributeList(list_);
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;

  explicit operator bool() const { return list_ != nullptr; }
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

 private:
  std::vector<HANDLE> handles_;  // must outlive the list, which points into it
  std::vector<unsigned char> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

DWORD MillisecondsUntil(Clock::time_point deadline) {
  const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  return remaining.count() <= 0 ? 0 : static_cast<DWORD>(remaining.count());
}

}  // namespace

ChildResult RunChildProcess(const ChildRun& run) {
  using End = ChildResult::End;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readPipe = nullptr;
  HANDLE writePipe = nullptr;
  if (!::CreatePipe(&readPipe, &writePipe, nullptr, 0)) {
    return Ended(End::CannotStart, "cannot make a pipe: " + SystemWords(::GetLastError()));
  }
  UniqueHandle readEnd(readPipe);
  UniqueHandle writeEnd(writePipe);
  ::SetHandleInformation(writeEnd.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  UniqueHandle input = run.input ? Inheritable(reinterpret_cast<HANDLE>(run.input->NativeHandle()))
                                 : UniqueHandle();
  UniqueHandle nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                                 nullptr));
  if ((run.input && !input) || !nul) {
    return Ended(End::CannotStart, "cannot hand the child its files");
  }

  UniqueHandle job(::CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags =
      JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  if (!job || !::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                         sizeof limits)) {
    return Ended(End::CannotStart, "cannot make a job object: " + SystemWords(::GetLastError()));
  }

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input ? input.get() : nul.get();
  startup.StartupInfo.hStdOutput = writeEnd.get();
  startup.StartupInfo.hStdError = nul.get();
  InheritedHandles inherited({startup.StartupInfo.hStdInput, writeEnd.get(), nul.get()});
  if (!inherited) {
    return Ended(End::CannotStart, "cannot name the child's handles: " +
                                       SystemWords(::GetLastError()));
  }
  startup.lpAttributeList = inherited.get();
  std::wstring commandLine = CommandLine(run.program, run.arguments);
  PROCESS_INFORMATION process{};
  // Suspended until it is in the job, so nothing it starts can escape it. No
  // console: the child needs none, and under Wine the console's host process
  // holds the pipe's write end open after the child has closed it.
  if (!::CreateProcessW(run.program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | DETACHED_PROCESS | EXTENDED_STARTUPINFO_PRESENT,
                        nullptr, nullptr, &startup.StartupInfo, &process)) {
    return Ended(End::CannotStart, "cannot start " + Utf8FromWide(run.program.native()) + ": " +
                                       SystemWords(::GetLastError()));
  }
  UniqueHandle child(process.hProcess);
  UniqueHandle thread(process.hThread);
  if (!::AssignProcessToJobObject(job.get(), child.get())) {
    ::TerminateProcess(child.get(), 1);
    return Ended(End::CannotStart, "cannot put the child in its job: " +
                                       SystemWords(::GetLastError()));
  }
  ::ResumeThread(thread.get());
  writeEnd.reset();
  input.reset();
  nul.reset();

  const Clock::time_point deadline = Clock::now() + run.timeLimit;
  ChildResult result;
  {
    OutputReader reader(readEnd.get(), run.outputLimit);
    if (!reader.WaitUntil(deadline)) {
      ::TerminateJobObject(job.get(), 1);
      reader.Join();
      result.end = End::TimedOut;
      result.output = std::move(reader.bytes);
      return result;
    }
    reader.Join();
    result.end = reader.end;
    result.output = std::move(reader.bytes);
  }
  if (result.end != End::Exited) {
    ::TerminateJobObject(job.get(), 1);
    return result;
  }
  switch (::WaitForSingleObject(child.get(), MillisecondsUntil(deadline))) {
    case WAIT_OBJECT_0:
      break;
    case WAIT_TIMEOUT:
      ::TerminateJobObject(job.get(), 1);
      return Ended(End::DidNotExit);
    default:
      ::TerminateJobObject(job.get(), 1);
      return Ended(End::Lost);
  }
  DWORD status = 0;
  if (!::GetExitCodeProcess(child.get(), &status)) return Ended(End::Lost);
  result.exitStatus = static_cast<int>(status);
  return result;
}

std::filesystem::path ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace platform
