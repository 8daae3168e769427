#include "tools/pictures/PngWriter.h"

#include <cairo.h>

#include <memory>
#include <stdexcept>

namespace qel {

namespace pictures {
namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(closure);
  bytes->insert(bytes->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<uint8_t> EncodePng24(const uint32_t* pixels, int width, int height, int stride) {
  if (!pixels || width <= 0 || height <= 0 || width > 4096 || height > 4096 || stride < width) {
    throw std::invalid_argument("picture size out of range");
  }
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("no cairo surface");
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int rowBytes = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * rowBytes);
    for (int x = 0; x < width; ++x) row[x] = pixels[static_cast<size_t>(y) * stride + x] & 0xFFFFFF;
  }
  cairo_surface_mark_dirty(surface.get());
  std::vector<uint8_t> bytes;
  if (cairo_surface_write_to_png_stream(surface.get(), Append, &bytes) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cairo cannot write the PNG");
  }
  return bytes;
}

}  // namespace pictures

}  // namespace qel
