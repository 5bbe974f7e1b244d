// The icon resource: the 48 x 48 program icon with its transparent corners.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/win32/program_icon.h"

namespace {

TEST(ProgramIcon, Is48By48In32BitColourWithAlpha) {
  const OwnedIcon icon(LoadProgramIcon(GetModuleHandleW(nullptr), 48));
  ASSERT_NE(icon.get(), nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon.get(), &info));
  BITMAP bitmap{};
  ASSERT_NE(GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap), 0);
  EXPECT_EQ(bitmap.bmWidth, 48);
  EXPECT_EQ(bitmap.bmHeight, 48);
  EXPECT_EQ(bitmap.bmBitsPixel, 32);

  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), 48, -48, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(48 * 48);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDIBits(screen, info.hbmColor, 0, 48, pixels.data(), &format, DIB_RGB_COLORS), 48);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(pixels[0] >> 24, 0u);             // the rounded corner
  EXPECT_EQ(pixels[24 * 48 + 4] >> 24, 255u); // the tile
}

TEST(ProgramIcon, LoadsAtTheSizesTheDialogAsksFor) {
  for (const int size : {16, 32}) {
    const OwnedIcon icon(LoadProgramIcon(GetModuleHandleW(nullptr), size));
    ASSERT_NE(icon.get(), nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

}  // namespace
