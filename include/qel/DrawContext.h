// The drawing context of a display surface: a GDI-like set of operations
// that plug-ins and the host call through virtual slots only. Colours are
// COLORREF words 0x00BBGGRR. Coordinates follow GDI: a rectangle
// (left, top, right, bottom) excludes its right column and bottom row.
#pragma once

#include <cstdint>

namespace qel {

typedef uint32_t COLORREF;

constexpr COLORREF QelRGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr uint8_t QelGetR(COLORREF c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t QelGetG(COLORREF c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t QelGetB(COLORREF c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }

struct QelPoint {
  int32_t x;
  int32_t y;
};

struct QelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  void Normalize() {
    if (left > right) {
      const int32_t t = left;
      left = right;
      right = t;
    }
    if (top > bottom) {
      const int32_t t = top;
      top = bottom;
      bottom = t;
    }
  }
};

// A picture in memory: 32 bits per pixel, 0x00RRGGBB in native byte order
// (the layout of a cairo RGB24 image), rows top to bottom, stride in bytes.
// The owner keeps the pixels alive for as long as the picture is used.
struct QelBitmap {
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
  uint32_t* pixels = nullptr;

  bool IsEmpty() const { return pixels == nullptr || width <= 0 || height <= 0; }
  uint32_t* Row(int y) const {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) + static_cast<intptr_t>(y) * stride);
  }
};

enum QelRasterOp : uint32_t {
  kRopSrcCopy = 0x00CC0020,
  kRopNotSrcCopy = 0x00330008,
};

enum QelBkMode : int32_t { kBkTransparent = 1, kBkOpaque = 2 };

// Text alignment of TextOut (GDI TA_ values).
enum QelTextAlign : uint32_t {
  kTaLeft = 0,
  kTaRight = 2,
  kTaCenter = 6,
  kTaTop = 0,
  kTaBottom = 8,
  kTaBaseline = 24,
};

// DrawText format bits (GDI DT_ values).
enum QelDrawTextFormat : uint32_t {
  kDtLeft = 0x0,
  kDtCenter = 0x1,
  kDtRight = 0x2,
  kDtVCenter = 0x4,
  kDtBottom = 0x8,
  kDtWordBreak = 0x10,
  kDtSingleLine = 0x20,
};

enum QelFontWeight : int32_t { kFwNormal = 400, kFwBold = 700 };

class CDC {
 public:
  virtual ~CDC() = default;

  // Size of the surface in pixels.
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;

  // Pen (outlines and lines) and brush (fills). Width 0 draws one pixel;
  // the null pen and null brush draw nothing.
  virtual void SetPen(COLORREF colour, int width) = 0;
  virtual void SetNullPen() = 0;
  virtual void SetBrush(COLORREF colour) = 0;
  virtual void SetNullBrush() = 0;

  virtual void FillSolidRect(int x, int y, int width, int height, COLORREF colour) = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  virtual void Polygon(const QelPoint* points, int count) = 0;
  virtual void Polyline(const QelPoint* points, int count) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // Elliptic arc over the box, counter-clockwise from the radial through
  // (xStart, yStart) to the one through (xEnd, yEnd); equal points give the
  // whole ellipse. ArcTo first draws a line from the current position to the
  // arc's start and leaves the position at its end.
  virtual void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
  virtual void ArcTo(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
  virtual void Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) = 0;
  virtual void SetPixel(int x, int y, COLORREF colour) = 0;
  virtual COLORREF GetPixel(int x, int y) const = 0;

  // Text: UTF-8. Height in pixels (negative: character height, as GDI).
  virtual void SetFont(const char* face, int height, int weight, bool italic) = 0;
  virtual void SetTextColor(COLORREF colour) = 0;
  virtual void SetBkColor(COLORREF colour) = 0;
  virtual void SetBkMode(int mode) = 0;
  virtual void SetTextAlign(uint32_t align) = 0;
  virtual void TextOut(int x, int y, const char* text) = 0;
  virtual bool GetTextExtent(const char* text, int* width, int* height) = 0;
  virtual int DrawText(const char* text, const QelRect& rect, uint32_t format) = 0;

  // Pictures: copies 1:1 (BitBlt) or scaled (StretchBlt; a negative
  // destination height draws the picture upside down).
  virtual bool BitBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, uint32_t rop) = 0;
  virtual bool StretchBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, int srcWidth,
                          int srcHeight, uint32_t rop) = 0;
};

}  // namespace qel
