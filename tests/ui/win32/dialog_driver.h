// Acting on dialogs that the code under test opens and waits on, from inside their message loops.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A visible top-level window of this thread with exactly that title, or nullptr.
[[nodiscard]] HWND FindThreadWindow(const std::wstring& title);

// Once find gives a window, calls act with it from the message loop running
// then (a modal dialog's). Gives up after a few seconds: the test fails and
// every dialog of this thread is ended, so that nothing hangs.
void WhenShown(std::function<HWND()> find, std::function<void(HWND)> act);

// Forgets the action WhenShown is waiting to run, if any.
void CancelWhenShown();

// Handles what is queued for this thread as the dialog's own loop would.
void PumpMessages(HWND dialog);

// Posts a key press (down and up) to a window, as the keyboard would.
void PostKey(HWND window, WORD key);

// The text of a window or control.
[[nodiscard]] std::wstring WindowText(HWND window);
