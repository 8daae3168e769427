// A picture of the X screen (the root window, or a rectangle of it) as it
// is now, read on a connection of its own. The X headers stay out of this
// header because of the macros they define.
#pragma once

#include <cstdint>

namespace qel {

namespace test {

class XScreenShot {
 public:
  XScreenShot();  // the whole screen
  XScreenShot(int x, int y, int width, int height);
  ~XScreenShot();
  XScreenShot(const XScreenShot&) = delete;
  XScreenShot& operator=(const XScreenShot&) = delete;

  bool IsOk() const { return m_image != nullptr; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // A pixel of the picture as 0x00RRGGBB; 0xFFFFFFFF outside it or when
  // the screen could not be read.
  uint32_t At(int x, int y) const;
  // Pixels that are not black; -1 when the screen could not be read.
  int CountLit() const;

 private:
  void Read(int x, int y, int width, int height, bool wholeScreen);

  void* m_image = nullptr;
  int m_width = 0;
  int m_height = 0;
};

// The colours of XScreenShot::At (0x00RRGGBB) as a COLORREF (0x00BBGGRR).
constexpr uint32_t RgbToColorRef(uint32_t rgb) {
  return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

}  // namespace test

}  // namespace qel
