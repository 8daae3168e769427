#include "tests/support/fakes/MemoryDC.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace qel {

namespace {
// Picture pixels are 0x00RRGGBB; the context speaks COLORREF 0x00BBGGRR.
COLORREF FromPicture(uint32_t p) { return QelRGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
}  // namespace

MemoryDC::MemoryDC(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill) {}

void MemoryDC::SetPen(COLORREF colour, int width) {
  Log("SetPen " + std::to_string(colour) + " " + std::to_string(width));
}

void MemoryDC::SetBrush(COLORREF colour) { Log("SetBrush " + std::to_string(colour)); }

void MemoryDC::Put(int x, int y, COLORREF c) {
  if (x >= 0 && y >= 0 && x < m_width && y < m_height) m_pixels[static_cast<size_t>(y) * m_width + x] = c;
}

void MemoryDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
  Log("FillSolidRect " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
      std::to_string(height) + " " + std::to_string(colour));
  for (int j = y; j < y + height; ++j)
    for (int i = x; i < x + width; ++i) Put(i, j, colour);
}

void MemoryDC::SetPixel(int x, int y, COLORREF colour) { Put(x, y, colour); }

COLORREF MemoryDC::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0xFFFFFFFF;
  return m_pixels[static_cast<size_t>(y) * m_width + x];
}

int MemoryDC::DrawText(const char* text, const QelRect&, uint32_t) {
  Log(std::string("DrawText ") + (text ? text : ""));
  return text && text[0] != '\0' ? 16 : 0;
}

void MemoryDC::TextOut(int x, int y, const char* text) {
  Log("TextOut " + std::to_string(x) + " " + std::to_string(y) + " " + (text ? text : ""));
}

bool MemoryDC::GetTextExtent(const char* text, int* width, int* height) {
  if (!text) return false;
  *width = 8 * static_cast<int>(std::strlen(text));
  *height = 16;
  return true;
}

bool MemoryDC::BitBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, uint32_t rop) {
  Log("BitBlt " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
      std::to_string(height));
  if (src.IsEmpty()) return false;
  for (int j = 0; j < height; ++j) {
    const int sy = srcY + j;
    if (sy < 0 || sy >= src.height) continue;
    for (int i = 0; i < width; ++i) {
      const int sx = srcX + i;
      if (sx < 0 || sx >= src.width) continue;
      COLORREF c = FromPicture(src.Row(sy)[sx]);
      if (rop == kRopNotSrcCopy) c = ~c & 0xFFFFFF;
      Put(x + i, y + j, c);
    }
  }
  return true;
}

bool MemoryDC::StretchBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, int srcWidth,
                          int srcHeight, uint32_t rop) {
  Log("StretchBlt " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
      std::to_string(height));
  if (src.IsEmpty() || width == 0 || height == 0 || srcWidth <= 0 || srcHeight <= 0) return false;
  const int w = std::abs(width);
  const int h = std::abs(height);
  for (int j = 0; j < h; ++j) {
    const int sy = srcY + j * srcHeight / h;
    if (sy < 0 || sy >= src.height) continue;
    const int dy = height > 0 ? y + j : y - j;
    for (int i = 0; i < w; ++i) {
      const int sx = srcX + i * srcWidth / w;
      if (sx < 0 || sx >= src.width) continue;
      const int dx = width > 0 ? x + i : x - i;
      COLORREF c = FromPicture(src.Row(sy)[sx]);
      if (rop == kRopNotSrcCopy) c = ~c & 0xFFFFFF;
      Put(dx, dy, c);
    }
  }
  return true;
}

void MemoryDC::Fill(COLORREF colour) { std::fill(m_pixels.begin(), m_pixels.end(), colour); }

int MemoryDC::Count(COLORREF colour) const {
  return static_cast<int>(std::count(m_pixels.begin(), m_pixels.end(), colour));
}

}  // namespace qel
