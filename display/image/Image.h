// A decoded picture that owns its pixels: 32 bits per pixel, 0x00RRGGBB in
// native byte order (the layout of a cairo RGB24 image), rows top to bottom,
// no padding between rows. View() lends it out as a QelBitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "include/qel/DrawContext.h"

namespace qel {

// Pictures larger than this are refused before anything is allocated.
constexpr int32_t kQelImageMaxSide = 16384;
constexpr int64_t kQelImageMaxPixels = int64_t{1} << 25;  // 128 MB of pixels

class QelImage {
 public:
  QelImage() = default;

  // Makes a black picture of the given size; false (and empty) when the size
  // is not positive, beyond the limits above, or cannot be allocated.
  bool Allocate(int32_t width, int32_t height);
  void Clear();

  bool IsEmpty() const { return m_pixels.empty(); }
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  int32_t Stride() const { return m_width * 4; }

  uint32_t* Row(int32_t y) { return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width); }
  const uint32_t* Row(int32_t y) const {
    return m_pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width);
  }
  uint32_t Pixel(int32_t x, int32_t y) const { return Row(y)[x]; }

  // The picture as a QelBitmap; valid while this object lives unchanged.
  QelBitmap View() const;

 private:
  int32_t m_width = 0;
  int32_t m_height = 0;
  std::vector<uint32_t> m_pixels;
};

}  // namespace qel
