// The program's own icon, loaded from the resources at the size a place wants.
#pragma once

#include <windows.h>

class OwnedIcon {
 public:
  explicit OwnedIcon(HICON icon = nullptr) : icon_(icon) {}
  ~OwnedIcon() {
    if (icon_) DestroyIcon(icon_);
  }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;

  [[nodiscard]] HICON get() const { return icon_; }

 private:
  HICON icon_;
};

// The 48 x 48 image scaled to size x size pixels; nothing (a null icon) when
// the resources lack it.
[[nodiscard]] HICON LoadProgramIcon(HINSTANCE instance, int size);
