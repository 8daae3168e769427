// A display surface: a raster buffer of our own (a cairo RGB24 image,
// 0x00RRGGBB per pixel). Surfaces are never lost; they live as long as the
// last holder (the display's table, a drawing context, a frame on screen).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>

#include "include/qel/DrawContext.h"

namespace qel {

namespace display {

// What a surface is, in the bit values of the capability words that the
// properties dialog spells out.
enum SurfaceCaps : uint32_t {
  kCapsBackBuffer = 0x00000004,
  kCapsComplex = 0x00000008,
  kCapsFlip = 0x00000010,
  kCapsFrontBuffer = 0x00000020,
  kCapsOffScreen = 0x00000040,
  kCapsPrimary = 0x00000200,
  kCapsSysMem = 0x00000800,
  kCaps3DDevice = 0x00002000,
  kCapsVidMem = 0x00004000,
  kCapsVisible = 0x00008000,
  kCapsRenderWindowed = 0x00080000,
  kCapsLocalVidMem = 0x10000000,
  kCapsNonlocalVidMem = 0x20000000,
};

constexpr int kMaxSurfaceSide = 16384;
// An 8K display's worth of pixels (128 MB): no plug-in's request goes beyond.
constexpr int64_t kMaxSurfacePixels = int64_t{1} << 25;

// COLORREF 0x00BBGGRR -> pixel 0x00RRGGBB and back.
constexpr uint32_t PixelFromColorref(COLORREF c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
constexpr COLORREF ColorrefFromPixel(uint32_t p) { return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu); }

class CRasterSurface {
 public:
  // A black surface; null with *error set to an errno value (EINVAL for a
  // side outside 1..kMaxSurfaceSide or more than kMaxSurfacePixels pixels,
  // ENOMEM when it cannot be allocated).
  static std::shared_ptr<CRasterSurface> Create(int width, int height, uint32_t flags, uint32_t caps,
                                                int* error = nullptr);
  // A black surface on memory the caller provides (width x height pixels
  // of 0x00RRGGBB, `stride` bytes a row, at least 4 x width), kept alive by
  // `memory` as long as the surface lives; null with *error as for Create.
  static std::shared_ptr<CRasterSurface> CreateOn(unsigned char* data, int width, int height, int stride,
                                                  std::shared_ptr<void> memory, int* error = nullptr);
  ~CRasterSurface();
  CRasterSurface(const CRasterSurface&) = delete;
  CRasterSurface& operator=(const CRasterSurface&) = delete;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int Stride() const { return m_stride; }
  uint32_t Flags() const { return m_flags; }
  uint32_t Caps() const { return m_caps; }
  cairo_surface_t* Cairo() const { return m_surface; }
  // The memory a surface made by CreateOn lives on (null for others).
  const std::shared_ptr<void>& Memory() const { return m_memory; }

  uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(m_data + static_cast<intptr_t>(y) * m_stride); }
  uint32_t PixelAt(int x, int y) const { return Row(y)[x] & 0x00FFFFFFu; }
  QelBitmap View() const;

  // Colour fill of the whole surface.
  void Fill(COLORREF colour);
  // Whole surface to whole surface; stretched when the sizes differ.
  void CopyFrom(const CRasterSurface& source);

 private:
  CRasterSurface(cairo_surface_t* surface, uint32_t flags, uint32_t caps);
  static bool ValidSize(int width, int height);

  cairo_surface_t* m_surface;
  unsigned char* m_data;
  int m_width;
  int m_height;
  int m_stride;
  uint32_t m_flags;
  uint32_t m_caps;
  std::shared_ptr<void> m_memory;
};

using SurfacePtr = std::shared_ptr<CRasterSurface>;

}  // namespace display

}  // namespace qel
