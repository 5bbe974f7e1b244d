// A thread timer, which every message loop of the thread dispatches, runs the pending action.
#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

struct Pending {
  std::function<HWND()> find;
  std::function<void(HWND)> act;
  UINT_PTR timer = 0;
  int ticks = 0;
};

constexpr UINT kTickMilliseconds = 10;
constexpr int kTicksBeforeGivingUp = 500;

std::unique_ptr<Pending> pending;

BOOL CALLBACK AddVisibleDialog(HWND window, LPARAM dialogs) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(dialogs)->push_back(window);
  }
  return TRUE;
}

std::vector<HWND> ThreadDialogs() {
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), AddVisibleDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (!pending) return;
  if (HWND window = pending->find()) {
    std::unique_ptr<Pending> now = std::move(pending);
    KillTimer(nullptr, now->timer);
    now->act(window);  // may register the next action
    return;
  }
  if (++pending->ticks < kTicksBeforeGivingUp) return;
  KillTimer(nullptr, pending->timer);
  pending.reset();
  ADD_FAILURE() << "the expected window never appeared";
  for (HWND dialog : ThreadDialogs()) EndDialog(dialog, IDABORT);
}

}  // namespace

HWND FindThreadWindow(const std::wstring& title) {
  for (HWND dialog : ThreadDialogs()) {
    if (WindowText(dialog) == title) return dialog;
  }
  return nullptr;
}

void WhenShown(std::function<HWND()> find, std::function<void(HWND)> act) {
  if (pending) KillTimer(nullptr, pending->timer);
  pending = std::make_unique<Pending>(Pending{std::move(find), std::move(act)});
  pending->timer = SetTimer(nullptr, 0, kTickMilliseconds, OnTick);
}

void CancelWhenShown() {
  if (!pending) return;
  KillTimer(nullptr, pending->timer);
  pending.reset();
}

void PumpMessages(HWND dialog) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) continue;  // not ours to run here
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void PostKey(HWND window, WORD key) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
  PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}
