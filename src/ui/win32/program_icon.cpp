// Loading the program icon from the resources.
#include "ui/win32/program_icon.h"

#include "ui/win32/resource.h"

HICON LoadProgramIcon(HINSTANCE instance, int size) {
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
}
