#include "display/image/Image.h"

#include <new>

namespace qel {

bool QelImage::Allocate(int32_t width, int32_t height) {
  Clear();
  if (width <= 0 || height <= 0 || width > kQelImageMaxSide || height > kQelImageMaxSide) return false;
  const int64_t count = int64_t{width} * height;
  if (count > kQelImageMaxPixels) return false;
  try {
    pixels_.assign(static_cast<size_t>(count), 0u);
  } catch (const std::bad_alloc&) {
    pixels_.clear();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

void QelImage::Clear() {
  std::vector<uint32_t>().swap(pixels_);
  width_ = 0;
  height_ = 0;
}

QelBitmap QelImage::View() const {
  QelBitmap b;
  if (pixels_.empty()) return b;
  b.width = width_;
  b.height = height_;
  b.stride = Stride();
  // QelBitmap is a plain view; blits only read through it.
  b.pixels = const_cast<uint32_t*>(pixels_.data());
  return b;
}

}  // namespace qel
