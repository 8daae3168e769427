// Windows bitmap reader: BITMAPINFOHEADER and its V2-V5 extensions, 1, 4,
// 8, 16, 24 and 32 bits per pixel, colour tables, BI_BITFIELDS, bottom-up
// and top-down rows padded to 4 bytes. Compressed bitmaps are refused.
#include <cstdint>
#include <cstring>

#include "common/ByteOrder.h"
#include "display/image/ImageDecoder.h"

namespace qel {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

// One colour channel described by a mask: where it sits and how wide it is.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  bool Set(uint32_t m) {
    mask = m;
    if (m == 0) return false;
    shift = 0;
    while (((m >> shift) & 1u) == 0) ++shift;
    const uint32_t run = m >> shift;
    bits = 0;
    while (bits < 32 && ((run >> bits) & 1u)) ++bits;
    // A channel is one run of set bits.
    return bits == 32 || (run >> bits) == 0;
  }

  uint32_t To8(uint32_t value) const {
    const uint32_t v = (value & mask) >> shift;
    if (bits == 8) return v;
    if (bits > 8) return v >> (bits - 8);
    const uint32_t max = (1u << bits) - 1u;
    return (v * 255u + max / 2u) / max;
  }
};

struct Layout {
  int32_t width = 0;
  int32_t height = 0;  // absolute
  bool topDown = false;
  uint16_t bpp = 0;
  uint32_t compression = kBiRgb;
  Channel red, green, blue;
  uint64_t tableOffset = 0;  // from the start of the data
  uint32_t tableEntries = 0;
  uint64_t headersEnd = 0;  // end of header, masks and colour table
};

// Reads the info header at `offset` and everything that follows it up to the bits.
QelImageStatus ReadInfo(const uint8_t* data, size_t size, size_t offset, Layout& l) {
  if (size < offset || size - offset < 4) return QelImageStatus::kTruncated;
  const uint8_t* h = data + offset;
  const uint32_t headerSize = ReadLE32(h);
  if (headerSize != kInfoHeaderSize && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124) {
    return headerSize < kInfoHeaderSize || headerSize == 64 ? QelImageStatus::kUnsupported : QelImageStatus::kBadHeader;
  }
  if (size - offset < headerSize) return QelImageStatus::kTruncated;

  const int32_t width = ReadLEInt32(h + 4);
  const int32_t height = ReadLEInt32(h + 8);
  const uint16_t planes = ReadLE16(h + 12);
  l.bpp = ReadLE16(h + 14);
  l.compression = ReadLE32(h + 16);
  const uint32_t colorsUsed = ReadLE32(h + 32);

  if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN) return QelImageStatus::kBadHeader;
  l.width = width;
  l.topDown = height < 0;
  l.height = height < 0 ? -height : height;
  if (l.width > kQelImageMaxSide || l.height > kQelImageMaxSide || int64_t{l.width} * l.height > kQelImageMaxPixels) {
    return QelImageStatus::kTooLarge;
  }
  switch (l.bpp) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return QelImageStatus::kUnsupported;
  }

  uint64_t pos = offset + headerSize;
  switch (l.compression) {
    case kBiRgb:
      if (l.bpp == 16) {
        l.red.Set(0x7C00);
        l.green.Set(0x03E0);
        l.blue.Set(0x001F);
      } else if (l.bpp == 32) {
        l.red.Set(0x00FF0000);
        l.green.Set(0x0000FF00);
        l.blue.Set(0x000000FF);
      }
      break;
    case kBiBitfields:
    case kBiAlphaBitfields: {
      if (l.bpp != 16 && l.bpp != 32) return QelImageStatus::kBadHeader;
      const uint8_t* masks = h + 40;
      if (headerSize == kInfoHeaderSize) {
        // The masks follow the plain header where the colour table would be.
        const uint64_t maskBytes = l.compression == kBiAlphaBitfields ? 16 : 12;
        if (size < pos + maskBytes) return QelImageStatus::kTruncated;
        masks = data + pos;
        pos += maskBytes;
      }
      const uint32_t r = ReadLE32(masks), g = ReadLE32(masks + 4), b = ReadLE32(masks + 8);
      if (!l.red.Set(r) || !l.green.Set(g) || !l.blue.Set(b)) return QelImageStatus::kBadBitfields;
      if ((r & g) || (r & b) || (g & b)) return QelImageStatus::kBadBitfields;
      if (l.bpp == 16 && ((r | g | b) >> 16) != 0) return QelImageStatus::kBadBitfields;
      break;
    }
    case kBiRle8:
    case kBiRle4:
    case 4:  // JPEG
    case 5:  // PNG
      return QelImageStatus::kUnsupported;
    default:
      return QelImageStatus::kBadHeader;
  }

  if (colorsUsed > 256) return QelImageStatus::kBadHeader;
  if (l.bpp <= 8) {
    const uint32_t full = 1u << l.bpp;
    if (colorsUsed > full) return QelImageStatus::kBadHeader;
    l.tableEntries = colorsUsed ? colorsUsed : full;
  } else {
    l.tableEntries = colorsUsed;  // an optional palette that true-colour pixels do not use
  }
  l.tableOffset = pos;
  l.headersEnd = pos + uint64_t{l.tableEntries} * 4;
  if (l.headersEnd > size) return QelImageStatus::kTruncated;
  return QelImageStatus::kOk;
}

QelImageStatus ReadPixels(const uint8_t* data, size_t size, uint64_t bitsOffset, const Layout& l, QelImage& out) {
  const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(l.width)} * l.bpp + 31) / 32 * 4;
  const uint64_t lastRowBytes = (uint64_t{static_cast<uint32_t>(l.width)} * l.bpp + 7) / 8;
  // The padding of the last row may be missing; the pixels themselves may not.
  const uint64_t needed = rowBytes * static_cast<uint64_t>(l.height - 1) + lastRowBytes;
  if (bitsOffset > size) return QelImageStatus::kBadOffset;
  if (size - bitsOffset < needed) return QelImageStatus::kTruncated;

  uint32_t palette[256] = {};
  if (l.bpp <= 8) {
    const uint8_t* t = data + l.tableOffset;
    for (uint32_t i = 0; i < l.tableEntries; ++i, t += 4) {
      palette[i] = (uint32_t{t[2]} << 16) | (uint32_t{t[1]} << 8) | t[0];  // RGBQUAD: blue, green, red
    }
  }

  QelImage image;
  if (!image.Allocate(l.width, l.height)) return QelImageStatus::kTooLarge;

  const uint8_t* bits = data + bitsOffset;
  for (int32_t r = 0; r < l.height; ++r) {
    const uint8_t* src = bits + rowBytes * static_cast<uint64_t>(r);
    uint32_t* dst = image.Row(l.topDown ? r : l.height - 1 - r);
    switch (l.bpp) {
      case 1:
      case 4:
      case 8: {
        const int perByte = 8 / l.bpp;
        const uint32_t valueMask = (1u << l.bpp) - 1u;
        for (int32_t x = 0; x < l.width; ++x) {
          const uint8_t byte = src[x / perByte];
          const int shift = 8 - l.bpp * (x % perByte + 1);
          const uint32_t index = (byte >> shift) & valueMask;
          // Indices past a short colour table are black.
          dst[x] = index < l.tableEntries ? palette[index] : 0u;
        }
        break;
      }
      case 16:
        for (int32_t x = 0; x < l.width; ++x) {
          const uint32_t v = ReadLE16(src + 2 * x);
          dst[x] = (l.red.To8(v) << 16) | (l.green.To8(v) << 8) | l.blue.To8(v);
        }
        break;
      case 24:
        for (int32_t x = 0; x < l.width; ++x) {
          const uint8_t* p = src + 3 * x;
          dst[x] = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
        break;
      case 32:
        for (int32_t x = 0; x < l.width; ++x) {
          const uint32_t v = ReadLE32(src + 4 * x);
          dst[x] = (l.red.To8(v) << 16) | (l.green.To8(v) << 8) | l.blue.To8(v);
        }
        break;
    }
  }
  out = std::move(image);
  return QelImageStatus::kOk;
}

}  // namespace

QelImageStatus QelDecodeBmpFile(const void* data, size_t size, QelImage& out) {
  out.Clear();
  const uint8_t* d = static_cast<const uint8_t*>(data);
  if (!d || size < 2) return QelImageStatus::kTruncated;
  if (d[0] != 'B' || d[1] != 'M') return QelImageStatus::kUnknownFormat;
  if (size < kFileHeaderSize) return QelImageStatus::kTruncated;
  Layout l;
  const QelImageStatus s = ReadInfo(d, size, kFileHeaderSize, l);
  if (s != QelImageStatus::kOk) return s;
  // The recorded offset must lie after the headers and the colour table.
  const uint64_t bitsOffset = ReadLE32(d + 10);
  if (bitsOffset < l.headersEnd || bitsOffset > size) return QelImageStatus::kBadOffset;
  return ReadPixels(d, size, bitsOffset, l, out);
}

QelImageStatus QelDecodeDib(const void* data, size_t size, QelImage& out) {
  out.Clear();
  const uint8_t* d = static_cast<const uint8_t*>(data);
  if (!d) return QelImageStatus::kTruncated;
  Layout l;
  const QelImageStatus s = ReadInfo(d, size, 0, l);
  if (s != QelImageStatus::kOk) return s;
  return ReadPixels(d, size, l.headersEnd, l, out);
}

}  // namespace qel
