#include "display/image/Image.h"

#include <new>

namespace qel {

bool QelImage::Allocate(int32_t width, int32_t height) {
  Clear();
  if (width <= 0 || height <= 0 || width > kQelImageMaxSide || height > kQelImageMaxSide) return false;
  const int64_t count = int64_t{width} * height;
  if (count > kQelImageMaxPixels) return false;
  try {
    m_pixels.assign(static_cast<size_t>(count), 0u);
  } catch (const std::bad_alloc&) {
    m_pixels.clear();
    return false;
  }
  m_width = width;
  m_height = height;
  return true;
}

void QelImage::Clear() {
  std::vector<uint32_t>().swap(m_pixels);
  m_width = 0;
  m_height = 0;
}

QelBitmap QelImage::View() const {
  QelBitmap b;
  if (m_pixels.empty()) return b;
  b.width = m_width;
  b.height = m_height;
  b.stride = Stride();
  // QelBitmap is a plain view; blits only read through it.
  b.pixels = const_cast<uint32_t*>(m_pixels.data());
  return b;
}

}  // namespace qel
