// PNG through cairo's reader, fed from memory. The header is checked first
// so that no absurd size reaches an allocation, and every chunk is checked
// against the bytes there are before the reader sees any: the reader gets the
// image's own chunks only (no texts or profiles, which it would allocate and
// inflate as their lengths claim).
#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "display/image/ImageDecoder.h"

namespace qel {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint32_t BigU32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

struct MemoryStream {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

cairo_status_t ReadFromMemory(void* closure, unsigned char* buffer, unsigned int length) {
  MemoryStream* s = static_cast<MemoryStream*>(closure);
  if (length > s->size - s->pos) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(buffer, s->data + s->pos, length);
  s->pos += length;
  return CAIRO_STATUS_SUCCESS;
}

// Chunks the picture is made of; every other ancillary chunk is left out.
bool KeepChunk(const uint8_t* type) {
  const bool critical = (type[0] & 0x20) == 0;  // IHDR, PLTE, IDAT, IEND and unknown critical ones
  return critical || std::memcmp(type, "tRNS", 4) == 0 || std::memcmp(type, "gAMA", 4) == 0 ||
         std::memcmp(type, "sRGB", 4) == 0 || std::memcmp(type, "cHRM", 4) == 0;
}

// The chunks of the file up to IEND, each within the file; false when a chunk
// claims more bytes than there are or the file has no end chunk.
bool ImageChunks(const uint8_t* d, size_t size, std::vector<uint8_t>* out) {
  out->assign(d, d + sizeof kPngSignature);
  size_t pos = sizeof kPngSignature;
  while (size - pos >= 12) {
    const uint32_t length = BigU32(d + pos);
    if (length > size - pos - 12) return false;
    const uint8_t* type = d + pos + 4;
    if (KeepChunk(type)) out->insert(out->end(), d + pos, d + pos + 12 + length);
    if (std::memcmp(type, "IEND", 4) == 0) return true;
    pos += 12 + length;
  }
  return false;
}

}  // namespace

QelImageStatus QelDecodePng(const void* data, size_t size, QelImage& out) {
  out.Clear();
  const uint8_t* d = static_cast<const uint8_t*>(data);
  if (!d || size < sizeof kPngSignature) return QelImageStatus::kTruncated;
  if (std::memcmp(d, kPngSignature, sizeof kPngSignature) != 0) return QelImageStatus::kUnknownFormat;
  // Signature, then the IHDR chunk: length 13, "IHDR", width, height, ...
  if (size < 33) return QelImageStatus::kTruncated;
  if (BigU32(d + 8) != 13 || std::memcmp(d + 12, "IHDR", 4) != 0) return QelImageStatus::kBadHeader;
  const uint32_t width = BigU32(d + 16);
  const uint32_t height = BigU32(d + 20);
  if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return QelImageStatus::kBadHeader;
  if (width > static_cast<uint32_t>(kQelImageMaxSide) || height > static_cast<uint32_t>(kQelImageMaxSide) ||
      int64_t{width} * height > kQelImageMaxPixels) {
    return QelImageStatus::kTooLarge;
  }

  std::vector<uint8_t> chunks;
  if (!ImageChunks(d, size, &chunks)) return QelImageStatus::kDecodeError;
  MemoryStream stream{chunks.data(), chunks.size(), 0};
  cairo_surface_t* png = cairo_image_surface_create_from_png_stream(ReadFromMemory, &stream);
  if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
    // cairo reports most reader errors as "no memory"; the size was already
    // checked above, so every failure here is bad data.
    cairo_surface_destroy(png);
    return QelImageStatus::kDecodeError;
  }
  const int w = cairo_image_surface_get_width(png);
  const int h = cairo_image_surface_get_height(png);
  QelImage image;
  if (!image.Allocate(w, h)) {
    cairo_surface_destroy(png);
    return QelImageStatus::kTooLarge;
  }
  // Compose onto our own black RGB24 buffer: whatever format cairo chose,
  // the result is opaque 0x00RRGGBB.
  cairo_surface_t* target = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(image.Row(0)),
                                                                CAIRO_FORMAT_RGB24, w, h, image.Stride());
  cairo_t* cr = cairo_create(target);
  cairo_set_source_surface(cr, png, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  cairo_surface_destroy(target);
  cairo_surface_destroy(png);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = image.Row(y);
    for (int x = 0; x < w; ++x) row[x] &= 0x00FFFFFFu;
  }
  out = std::move(image);
  return QelImageStatus::kOk;
}

}  // namespace qel
