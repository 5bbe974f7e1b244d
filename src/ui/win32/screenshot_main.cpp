// Saves the main dialog as it opens into a PNG file, for the README (run under Wine).
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "ui/win32/png_file.h"
#include "ui/win32/system_user_prompts.h"
#include "ui/win32/zembrix_dlg.h"

namespace {

// Lets the dialog paint itself before it is captured.
void PumpMessages(HWND dialog, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    Sleep(10);
  }
}

// What the screen shows of the window, frame and caption included, as RGBA
// rows; empty when it cannot be read. (Wine's PrintWindow leaves out the
// child controls, so the screen is read instead: nothing may cover the window.)
std::vector<std::uint8_t> Capture(const RECT& frame) {
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<std::uint8_t> rgba;
  if (memory && bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY)) {
      GdiFlush();
      const auto* bgrx = static_cast<const std::uint8_t*>(bits);
      rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
      for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = bgrx[i + 2];
        rgba[i + 1] = bgrx[i + 1];
        rgba[i + 2] = bgrx[i];
        rgba[i + 3] = 0xFF;
      }
    }
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return rgba;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zembrix-screenshot FILE.png\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  SystemUserPrompts prompts;  // never asked: nothing is clicked
  CZembrixDlg dialog(GetModuleHandleW(nullptr), prompts);
  const HWND window = dialog.Create();
  if (!window) {
    std::fprintf(stderr, "cannot create the dialog\n");
    return 1;
  }
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow(window);
  PumpMessages(window, 500);
  RECT frame;
  GetWindowRect(window, &frame);
  const std::vector<std::uint8_t> rgba = Capture(frame);
  DestroyWindow(window);
  if (rgba.empty() || !WritePngFile(argv[1], frame.right - frame.left, frame.bottom - frame.top,
                                    rgba)) {
    std::fprintf(stderr, "cannot capture the dialog into %ls\n", argv[1]);
    return 1;
  }
  return 0;
}
