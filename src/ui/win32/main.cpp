// Entry point of zembrix.exe, the dialog program.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "ui/win32/system_user_prompts.h"
#include "ui/win32/zembrix_dlg.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The folder dialog's resizable style needs OLE on this thread.
  const HRESULT ole = OleInitialize(nullptr);
  SystemUserPrompts prompts;
  CZembrixDlg dialog(instance, prompts);
  dialog.DoModal();  // OK after a written file, cancel otherwise: either way we end.
  if (SUCCEEDED(ole)) OleUninitialize();
  return 0;
}
