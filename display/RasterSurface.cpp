#include "display/RasterSurface.h"

#include <cerrno>
#include <cstring>

namespace qel {

namespace display {

std::shared_ptr<CRasterSurface> CRasterSurface::Create(int width, int height, uint32_t flags, uint32_t caps,
                                                       int* error) {
  if (error) *error = 0;
  if (width <= 0 || height <= 0 || width > kMaxSurfaceSide || height > kMaxSurfaceSide ||
      int64_t{width} * height > kMaxSurfacePixels) {
    if (error) *error = EINVAL;
    return nullptr;
  }
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    if (error) *error = ENOMEM;
    return nullptr;
  }
  return std::shared_ptr<CRasterSurface>(new CRasterSurface(s, flags, caps));
}

CRasterSurface::CRasterSurface(cairo_surface_t* surface, uint32_t flags, uint32_t caps)
    : surface_(surface),
      data_(cairo_image_surface_get_data(surface)),
      width_(cairo_image_surface_get_width(surface)),
      height_(cairo_image_surface_get_height(surface)),
      stride_(cairo_image_surface_get_stride(surface)),
      flags_(flags),
      caps_(caps) {
  // cairo leaves new image memory zeroed: black.
}

CRasterSurface::~CRasterSurface() { cairo_surface_destroy(surface_); }

QelBitmap CRasterSurface::View() const {
  QelBitmap b;
  b.width = width_;
  b.height = height_;
  b.stride = stride_;
  b.pixels = reinterpret_cast<uint32_t*>(data_);
  return b;
}

void CRasterSurface::Fill(COLORREF colour) {
  cairo_surface_flush(surface_);
  const uint32_t p = PixelFromColorref(colour);
  for (int y = 0; y < height_; ++y) {
    uint32_t* row = Row(y);
    for (int x = 0; x < width_; ++x) row[x] = p;
  }
  cairo_surface_mark_dirty(surface_);
}

void CRasterSurface::CopyFrom(const CRasterSurface& source) {
  if (&source == this) return;
  cairo_surface_flush(surface_);
  cairo_surface_flush(source.surface_);
  if (source.width_ == width_ && source.height_ == height_) {
    const size_t rowBytes = static_cast<size_t>(width_) * 4;
    if (source.stride_ == stride_) {
      std::memcpy(data_, source.data_, static_cast<size_t>(stride_) * height_);
    } else {
      for (int y = 0; y < height_; ++y) std::memcpy(Row(y), source.Row(y), rowBytes);
    }
    cairo_surface_mark_dirty(surface_);
    return;
  }
  cairo_t* cr = cairo_create(surface_);
  cairo_scale(cr, static_cast<double>(width_) / source.width_, static_cast<double>(height_) / source.height_);
  cairo_set_source_surface(cr, source.surface_, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
}

}  // namespace display

}  // namespace qel
