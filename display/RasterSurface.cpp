#include "display/RasterSurface.h"

#include <cerrno>
#include <cstring>

namespace qel {

namespace display {

std::shared_ptr<CRasterSurface> CRasterSurface::Create(int width, int height, uint32_t flags, uint32_t caps,
                                                       int* error) {
  if (error) *error = 0;
  if (!ValidSize(width, height)) {
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

bool CRasterSurface::ValidSize(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide &&
         int64_t{width} * height <= kMaxSurfacePixels;
}

std::shared_ptr<CRasterSurface> CRasterSurface::CreateOn(unsigned char* data, int width, int height, int stride,
                                                         std::shared_ptr<void> memory, int* error) {
  if (error) *error = 0;
  if (!data || !ValidSize(width, height) || stride < cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width)) {
    if (error) *error = EINVAL;
    return nullptr;
  }
  std::memset(data, 0, static_cast<size_t>(stride) * height);
  cairo_surface_t* s = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_RGB24, width, height, stride);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    if (error) *error = ENOMEM;
    return nullptr;
  }
  std::shared_ptr<CRasterSurface> surface(new CRasterSurface(s, 0, 0));
  surface->m_memory = std::move(memory);
  return surface;
}

CRasterSurface::CRasterSurface(cairo_surface_t* surface, uint32_t flags, uint32_t caps)
    : m_surface(surface),
      m_data(cairo_image_surface_get_data(surface)),
      m_width(cairo_image_surface_get_width(surface)),
      m_height(cairo_image_surface_get_height(surface)),
      m_stride(cairo_image_surface_get_stride(surface)),
      m_flags(flags),
      m_caps(caps) {
  // cairo leaves new image memory zeroed: black.
}

CRasterSurface::~CRasterSurface() { cairo_surface_destroy(m_surface); }

QelBitmap CRasterSurface::View() const {
  QelBitmap b;
  b.width = m_width;
  b.height = m_height;
  b.stride = m_stride;
  b.pixels = reinterpret_cast<uint32_t*>(m_data);
  return b;
}

void CRasterSurface::Fill(COLORREF colour) {
  cairo_surface_flush(m_surface);
  const uint32_t p = PixelFromColorref(colour);
  for (int y = 0; y < m_height; ++y) {
    uint32_t* row = Row(y);
    for (int x = 0; x < m_width; ++x) row[x] = p;
  }
  cairo_surface_mark_dirty(m_surface);
}

void CRasterSurface::CopyFrom(const CRasterSurface& source) {
  if (&source == this) return;
  cairo_surface_flush(m_surface);
  cairo_surface_flush(source.m_surface);
  if (source.m_width == m_width && source.m_height == m_height) {
    const size_t rowBytes = static_cast<size_t>(m_width) * 4;
    if (source.m_stride == m_stride) {
      std::memcpy(m_data, source.m_data, static_cast<size_t>(m_stride) * m_height);
    } else {
      for (int y = 0; y < m_height; ++y) std::memcpy(Row(y), source.Row(y), rowBytes);
    }
    cairo_surface_mark_dirty(m_surface);
    return;
  }
  cairo_t* cr = cairo_create(m_surface);
  cairo_scale(cr, static_cast<double>(m_width) / source.m_width, static_cast<double>(m_height) / source.m_height);
  cairo_set_source_surface(cr, source.m_surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
}

}  // namespace display

}  // namespace qel
