// Reading an icon's pixels back, to tell the program's own drawing (a blue
// tile, a white page, a green start button: ui/qt/icons/tolm32.svg) from any
// other icon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tolm::wintest {

// An icon's colour pixels, top row first, each 0xAARRGGBB; empty when the
// icon cannot be read.
struct IconPixels {
  int size = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * size + x)]; }
};

inline IconPixels ReadIconPixels(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
  IconPixels result;
  BITMAP bitmap{};
  if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap) == sizeof bitmap &&
      bitmap.bmWidth == bitmap.bmHeight) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS) ==
        bitmap.bmHeight) {
      result.size = bitmap.bmWidth;
      result.pixels = std::move(pixels);
    }
    ReleaseDC(nullptr, screen);
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return result;
}

// What differs from the program's drawing in the icon: "" when the icon is
// size by size pixels and shows the tile, the page and the button in their
// colours where the drawing has them (points of the 64 by 64 drawing that lie
// well inside each shape at every size).
inline std::string DifferenceFromProgramDrawing(HICON icon, int size) {
  const IconPixels read = ReadIconPixels(icon);
  if (read.size != size) return "the icon is " + std::to_string(read.size) + " pixels, not " + std::to_string(size);
  struct Point {
    const char* what;
    int x, y;
    uint32_t colour;
  };
  const Point points[] = {
      {"tile", 50, 6, 0x1F4E8C},
      {"page", 20, 10, 0xFFFFFF},
      {"button", 36, 45, 0x2F9E44},
  };
  std::string difference;
  for (const Point& p : points) {
    const uint32_t pixel = read.At(p.x * size / 64, p.y * size / 64);
    if ((pixel & 0xFFFFFF) != p.colour || (pixel >> 24) != 0xFF) {
      char text[80];
      std::snprintf(text, sizeof text, "%s at %d: %08X; ", p.what, size, static_cast<unsigned>(pixel));
      difference += text;
    }
  }
  return difference;
}

}  // namespace tolm::wintest
