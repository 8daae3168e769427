// Picture decoders: real bitmap and PNG bytes built here, good and bad.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstring>
#include <fstream>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "display/image/ImageDecoder.h"

namespace qel {

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Builds a bitmap the way a writer lays it out: file header (optional),
// info header of a chosen size, masks, colour table, then rows padded to 4
// bytes. The pixel callback gives the raw value of (x, y), y counted from
// the top of the picture.
struct BmpLayout {
  int32_t width = 3;
  int32_t height = 2;  // negative: top-down
  uint16_t bpp = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  std::vector<uint32_t> masks;    // written after a 40-byte header, or inside a larger one
  std::vector<uint32_t> palette;  // 0x00RRGGBB entries
  uint32_t colorsUsed = 0;
  bool fileHeader = true;
  bool padLastRow = true;
  std::function<uint32_t(int, int)> pixel = [](int x, int y) { return static_cast<uint32_t>(x * 40 + y * 100); };
};

Bytes BuildBmp(const BmpLayout& s) {
  const size_t fileHeader = s.fileHeader ? 14 : 0;
  const size_t masksAfter = s.headerSize == 40 ? s.masks.size() * 4 : 0;
  const size_t tableAt = fileHeader + s.headerSize + masksAfter;
  const size_t bitsAt = tableAt + s.palette.size() * 4;
  const int32_t h = s.height < 0 ? -s.height : s.height;
  const size_t rowBytes = (static_cast<size_t>(s.width) * s.bpp + 31) / 32 * 4;
  const size_t lastRow = s.padLastRow ? rowBytes : (static_cast<size_t>(s.width) * s.bpp + 7) / 8;
  Bytes b(bitsAt + rowBytes * (h - 1) + lastRow, 0);
  if (s.fileHeader) {
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(bitsAt));
  }
  const size_t ih = fileHeader;
  Put32(b, ih, s.headerSize);
  Put32(b, ih + 4, static_cast<uint32_t>(s.width));
  Put32(b, ih + 8, static_cast<uint32_t>(s.height));
  Put16(b, ih + 12, 1);
  Put16(b, ih + 14, s.bpp);
  Put32(b, ih + 16, s.compression);
  Put32(b, ih + 32, s.colorsUsed);
  for (size_t i = 0; i < s.masks.size(); ++i) {
    Put32(b, s.headerSize == 40 ? ih + 40 + i * 4 : ih + 40 + i * 4, s.masks[i]);
  }
  for (size_t i = 0; i < s.palette.size(); ++i) {
    const uint32_t c = s.palette[i];
    b[tableAt + i * 4] = static_cast<uint8_t>(c);            // blue
    b[tableAt + i * 4 + 1] = static_cast<uint8_t>(c >> 8);   // green
    b[tableAt + i * 4 + 2] = static_cast<uint8_t>(c >> 16);  // red
  }
  for (int32_t y = 0; y < h; ++y) {
    const int32_t fileRow = s.height < 0 ? y : h - 1 - y;
    const size_t row = bitsAt + rowBytes * fileRow;
    for (int32_t x = 0; x < s.width; ++x) {
      const uint32_t v = s.pixel(x, y);
      switch (s.bpp) {
        case 1:
        case 4:
        case 8: {
          const int perByte = 8 / s.bpp;
          const int shift = 8 - s.bpp * (x % perByte + 1);
          b[row + x / perByte] |= static_cast<uint8_t>(v << shift);
          break;
        }
        case 16:
          Put16(b, row + 2 * x, static_cast<uint16_t>(v));
          break;
        case 24:
          b[row + 3 * x] = static_cast<uint8_t>(v);
          b[row + 3 * x + 1] = static_cast<uint8_t>(v >> 8);
          b[row + 3 * x + 2] = static_cast<uint8_t>(v >> 16);
          break;
        case 32:
          Put32(b, row + 4 * x, v);
          break;
      }
    }
  }
  return b;
}

QelImageStatus Decode(const BmpLayout& s, const Bytes& b, QelImage& out) {
  return s.fileHeader ? QelDecodeBmpFile(b.data(), b.size(), out) : QelDecodeDib(b.data(), b.size(), out);
}

// ---- good bitmaps: decoded pixels equal what the writer meant ----

struct GoodCase {
  const char* name;
  std::function<BmpLayout()> layout;
  std::function<uint32_t(int, int)> expected;  // 0x00RRGGBB of (x, y) from the top
};

class GoodBitmaps : public ::testing::TestWithParam<GoodCase> {};

TEST_P(GoodBitmaps, DecodeToTheExpectedPixels) {
  const GoodCase& c = GetParam();
  const BmpLayout s = c.layout();
  const Bytes b = BuildBmp(s);
  QelImage img;
  ASSERT_EQ(Decode(s, b, img), QelImageStatus::kOk);
  ASSERT_EQ(img.Width(), s.width);
  ASSERT_EQ(img.Height(), s.height < 0 ? -s.height : s.height);
  for (int y = 0; y < img.Height(); ++y) {
    for (int x = 0; x < img.Width(); ++x) {
      EXPECT_EQ(img.Pixel(x, y), c.expected(x, y)) << "at " << x << "," << y;
    }
  }
  const QelBitmap v = img.View();
  EXPECT_EQ(v.stride, img.Width() * 4);
  EXPECT_EQ(v.Row(img.Height() - 1)[0], img.Pixel(0, img.Height() - 1));
}

uint32_t Rgb24(int x, int y) { return static_cast<uint32_t>(x * 40 + y * 100); }

const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x808080, 0xABCDEF,
                                        0x010203, 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F0F0F, 0xF0F0F0};

INSTANTIATE_TEST_SUITE_P(
    Bmp, GoodBitmaps,
    ::testing::Values(GoodCase{"Bgr24BottomUp", [] { return BmpLayout{}; }, Rgb24},
                      GoodCase{"Bgr24TopDown",
                               [] {
                                 BmpLayout s;
                                 s.height = -2;
                                 return s;
                               },
                               Rgb24},
                      GoodCase{"Bgr24LastRowUnpadded",
                               [] {
                                 BmpLayout s;
                                 s.padLastRow = false;
                                 return s;
                               },
                               Rgb24},
                      GoodCase{"Xrgb32",
                               [] {
                                 BmpLayout s;
                                 s.bpp = 32;
                                 s.pixel = [](int x, int y) {
                                   return 0xFF000000u | static_cast<uint32_t>(x * 0x10203 + y * 0x50000);
                                 };
                                 return s;
                               },
                               [](int x, int y) { return static_cast<uint32_t>(x * 0x10203 + y * 0x50000); }},
                      GoodCase{"Indexed8ShortTable",
                               [] {
                                 BmpLayout s;
                                 s.bpp = 8;
                                 s.width = 5;
                                 s.colorsUsed = 4;
                                 s.palette = {0x112233, 0x445566, 0x778899, 0xAABBCC};
                                 s.pixel = [](int x, int y) {
                                   return static_cast<uint32_t>((x + y) % 6);
                                 };  // 4 and 5 lie past the table
                                 return s;
                               },
                               [](int x, int y) {
                                 const uint32_t t[] = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0, 0};
                                 return t[(x + y) % 6];
                               }},
                      GoodCase{"Indexed4OddWidth",
                               [] {
                                 BmpLayout s;
                                 s.bpp = 4;
                                 s.width = 7;
                                 s.height = 3;
                                 s.palette = kPalette;
                                 s.pixel = [](int x, int y) { return static_cast<uint32_t>((x * 3 + y) % 16); };
                                 return s;
                               },
                               [](int x, int y) { return kPalette[(x * 3 + y) % 16]; }},
                      GoodCase{"Indexed1NineWide",
                               [] {
                                 BmpLayout s;
                                 s.bpp = 1;
                                 s.width = 9;
                                 s.height = 2;
                                 s.palette = {0x0000FF, 0xFFFF00};
                                 s.pixel = [](int x, int y) { return static_cast<uint32_t>((x + y) & 1); };
                                 return s;
                               },
                               [](int x, int y) { return ((x + y) & 1) ? 0xFFFF00u : 0x0000FFu; }},
                      GoodCase{"Rgb555",
                               [] {
                                 BmpLayout s;
                                 s.bpp = 16;
                                 s.width = 2;
                                 s.height = 1;
                                 s.pixel = [](int x, int) { return x == 0 ? 0x7C00u : 0x03FFu; };
                                 return s;
                               },
                               [](int x, int) { return x == 0 ? 0xFF0000u : 0x00FFFFu; }},
                      GoodCase{"Rgb565BitfieldsAfterHeader",
                               [] {
                                 BmpLayout s;
                                 s.bpp = 16;
                                 s.compression = 3;
                                 s.masks = {0xF800, 0x07E0, 0x001F};
                                 s.width = 3;
                                 s.height = 1;
                                 s.pixel = [](int x, int) { return x == 0 ? 0xF800u : x == 1 ? 0x07E0u : 0x0010u; };
                                 return s;
                               },
                               [](int x, int) { return x == 0   ? 0xFF0000u
                                                       : x == 1 ? 0x00FF00u
                                                                : 0x000084u; }},
                      GoodCase{"Bitfields32InV5Header",
                               [] {
                                 BmpLayout s;
                                 s.headerSize = 124;
                                 s.bpp = 32;
                                 s.compression = 3;
                                 s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // red in the low byte
                                 s.pixel = [](int x, int y) {
                                   return static_cast<uint32_t>(0x11 * (x + 1) | (0x2200 * (y + 1)));
                                 };
                                 return s;
                               },
                               [](int x, int y) {
                                 return static_cast<uint32_t>((0x11 * (x + 1)) << 16 | (0x2200 * (y + 1)));
                               }},
                      GoodCase{"V4Header24",
                               [] {
                                 BmpLayout s;
                                 s.headerSize = 108;
                                 return s;
                               },
                               Rgb24},
                      GoodCase{"PackedDibIndexed8",
                               [] {
                                 BmpLayout s;
                                 s.fileHeader = false;
                                 s.bpp = 8;
                                 s.colorsUsed = 2;
                                 s.palette = {0xFF8000, 0x0080FF};
                                 s.pixel = [](int x, int) { return static_cast<uint32_t>(x & 1); };
                                 return s;
                               },
                               [](int x, int) { return (x & 1) ? 0x0080FFu : 0xFF8000u; }},
                      GoodCase{"PackedDibBitfieldsAfterHeader",
                               [] {
                                 BmpLayout s;
                                 s.fileHeader = false;
                                 s.bpp = 32;
                                 s.compression = 3;
                                 s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
                                 s.pixel = [](int x, int y) { return static_cast<uint32_t>(x * 0x30201 + y); };
                                 return s;
                               },
                               [](int x, int y) { return static_cast<uint32_t>(x * 0x30201 + y); }}),
    [](const ::testing::TestParamInfo<GoodCase>& info) { return std::string(info.param.name); });

// ---- bad bitmaps: refused with the right status ----

struct BadCase {
  const char* name;
  std::function<Bytes()> bytes;
  QelImageStatus status;
};

class BadBitmaps : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadBitmaps, AreRefused) {
  const Bytes b = GetParam().bytes();
  QelImage img;
  EXPECT_EQ(QelDecodeImage(b.data(), b.size(), img), GetParam().status);
  EXPECT_TRUE(img.IsEmpty());
}

Bytes Good() { return BuildBmp(BmpLayout{}); }
Bytes With(std::function<void(Bytes&)> change, Bytes b = Good()) {
  change(b);
  return b;
}
Bytes Layout(std::function<void(BmpLayout&)> change) {
  BmpLayout s;
  change(s);
  return BuildBmp(s);
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, BadBitmaps,
    ::testing::Values(
        BadCase{"Empty", [] { return Bytes{}; }, QelImageStatus::kTruncated},
        BadCase{"FileHeaderOnly", [] { return Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}; },
                QelImageStatus::kTruncated},
        BadCase{"InfoHeaderCut",
                [] {
                  Bytes b = Good();
                  b.resize(30);
                  return b;
                },
                QelImageStatus::kTruncated},
        BadCase{"CoreHeader", [] { return With([](Bytes& b) { Put32(b, 14, 12); }); }, QelImageStatus::kUnsupported},
        BadCase{"HeaderSizeAbsurd", [] { return With([](Bytes& b) { Put32(b, 14, 0x7FFFFFF0); }); },
                QelImageStatus::kBadHeader},
        BadCase{"ZeroWidth", [] { return With([](Bytes& b) { Put32(b, 18, 0); }); }, QelImageStatus::kBadHeader},
        BadCase{"NegativeWidth", [] { return With([](Bytes& b) { Put32(b, 18, 0xFFFFFFFE); }); },
                QelImageStatus::kBadHeader},
        BadCase{"ZeroHeight", [] { return With([](Bytes& b) { Put32(b, 22, 0); }); }, QelImageStatus::kBadHeader},
        BadCase{"MostNegativeHeight", [] { return With([](Bytes& b) { Put32(b, 22, 0x80000000u); }); },
                QelImageStatus::kBadHeader},
        BadCase{"TwoPlanes", [] { return With([](Bytes& b) { Put16(b, 26, 2); }); }, QelImageStatus::kBadHeader},
        BadCase{"HugeWidth", [] { return With([](Bytes& b) { Put32(b, 18, 0x7FFFFFFF); }); },
                QelImageStatus::kTooLarge},
        BadCase{"HugeArea",
                [] {
                  return With([](Bytes& b) {
                    Put32(b, 18, 16000);
                    Put32(b, 22, 16000);
                  });
                },
                QelImageStatus::kTooLarge},
        BadCase{"TwoBitsPerPixel", [] { return With([](Bytes& b) { Put16(b, 28, 2); }); },
                QelImageStatus::kUnsupported},
        BadCase{"Rle8",
                [] {
                  return Layout([](BmpLayout& s) {
                    s.bpp = 8;
                    s.compression = 1;
                    s.palette = {0, 1};
                    s.colorsUsed = 2;
                  });
                },
                QelImageStatus::kUnsupported},
        BadCase{"UnknownCompression", [] { return With([](Bytes& b) { Put32(b, 30, 99); }); },
                QelImageStatus::kBadHeader},
        BadCase{"BitfieldsOn24Bits",
                [] {
                  return Layout([](BmpLayout& s) {
                    s.compression = 3;
                    s.masks = {0xFF0000, 0xFF00, 0xFF};
                  });
                },
                QelImageStatus::kBadHeader},
        BadCase{"ZeroMask",
                [] {
                  return Layout([](BmpLayout& s) {
                    s.bpp = 32;
                    s.compression = 3;
                    s.masks = {0xFF0000, 0, 0xFF};
                  });
                },
                QelImageStatus::kBadBitfields},
        BadCase{"OverlappingMasks",
                [] {
                  return Layout([](BmpLayout& s) {
                    s.bpp = 32;
                    s.compression = 3;
                    s.masks = {0xFFFF00, 0xFF00, 0xFF};
                  });
                },
                QelImageStatus::kBadBitfields},
        BadCase{"SplitMask",
                [] {
                  return Layout([](BmpLayout& s) {
                    s.bpp = 32;
                    s.compression = 3;
                    s.masks = {0xF0F000, 0x0F00, 0xFF};
                  });
                },
                QelImageStatus::kBadBitfields},
        BadCase{"MaskWiderThan16Bits",
                [] {
                  return Layout([](BmpLayout& s) {
                    s.bpp = 16;
                    s.compression = 3;
                    s.masks = {0x1F0000, 0x07E0, 0x1F};
                  });
                },
                QelImageStatus::kBadBitfields},
        BadCase{"MasksCut",
                [] {
                  const Bytes b = Layout([](BmpLayout& s) {
                    s.bpp = 32;
                    s.compression = 3;
                    s.masks = {0xFF0000, 0xFF00, 0xFF};
                  });
                  return Bytes(b.begin(), b.begin() + 14 + 40 + 6);
                },
                QelImageStatus::kTruncated},
        BadCase{"TooManyColours", [] { return With([](Bytes& b) { Put32(b, 46, 300); }); }, QelImageStatus::kBadHeader},
        BadCase{"MoreColoursThanBitsAllow",
                [] {
                  return Layout([](BmpLayout& s) {
                    s.bpp = 4;
                    s.colorsUsed = 20;
                    s.palette = kPalette;
                  });
                },
                QelImageStatus::kBadHeader},
        BadCase{"ColourTableCut",
                [] {
                  const Bytes b = Layout([](BmpLayout& s) {
                    s.bpp = 8;
                    s.palette.assign(256, 0x123456);
                  });
                  return Bytes(b.begin(), b.begin() + 14 + 40 + 100);
                },
                QelImageStatus::kTruncated},
        BadCase{"OffsetBeyondFile", [] { return With([](Bytes& b) { Put32(b, 10, 5000); }); },
                QelImageStatus::kBadOffset},
        BadCase{"OffsetAtTheTop", [] { return With([](Bytes& b) { Put32(b, 10, 0xFFFFFFFF); }); },
                QelImageStatus::kBadOffset},
        BadCase{"OffsetInsideHeader", [] { return With([](Bytes& b) { Put32(b, 10, 20); }); },
                QelImageStatus::kBadOffset},
        BadCase{"OffsetInsideColourTable",
                [] {
                  Bytes b = Layout([](BmpLayout& s) {
                    s.bpp = 8;
                    s.colorsUsed = 2;
                    s.palette = {1, 2};
                  });
                  Put32(b, 10, 14 + 40 + 4);
                  return b;
                },
                QelImageStatus::kBadOffset},
        BadCase{"PixelsCut",
                [] {
                  Bytes b = Good();
                  b.resize(b.size() - 4);
                  return b;
                },
                QelImageStatus::kTruncated},
        BadCase{"PixelsShiftedPastTheEnd", [] { return With([](Bytes& b) { Put32(b, 10, 60); }); },
                QelImageStatus::kTruncated},
        BadCase{"NotAPicture", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0}; },
                QelImageStatus::kUnknownFormat}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

// Every prefix of a good file is refused cleanly (no over-read under ASan).
TEST(BmpDecoder, EveryPrefixOfAFileIsRefused) {
  BmpLayout s;
  s.bpp = 8;
  s.width = 5;
  s.palette = kPalette;
  s.colorsUsed = 16;
  s.pixel = [](int x, int) { return static_cast<uint32_t>(x); };
  const Bytes b = BuildBmp(s);
  for (size_t n = 0; n + 1 < b.size() - 3; ++n) {  // the last 3 bytes are row padding
    QelImage img;
    const Bytes prefix(b.begin(), b.begin() + n);
    EXPECT_NE(QelDecodeBmpFile(prefix.data(), prefix.size(), img), QelImageStatus::kOk) << n;
  }
}

// Random corruption of the headers never crashes or over-reads.
TEST(BmpDecoder, CorruptHeadersAreHandled) {
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  BmpLayout s;
  s.bpp = 4;
  s.palette = kPalette;
  const Bytes good = BuildBmp(s);
  for (int i = 0; i < 2000; ++i) {
    Bytes b = good;
    for (int k = 0; k < 3; ++k) b[next() % 54] = static_cast<uint8_t>(next());
    QelImage img;
    const QelImageStatus st = QelDecodeImage(b.data(), b.size(), img);
    if (st == QelImageStatus::kOk) {
      EXPECT_FALSE(img.IsEmpty());
    } else {
      EXPECT_TRUE(img.IsEmpty());
    }
  }
}

// ---- PNG ----

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<Bytes*>(closure)->insert(static_cast<Bytes*>(closure)->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

Bytes MakePng(cairo_format_t format, int w, int h, std::function<uint32_t(int, int)> argb) {
  cairo_surface_t* s = cairo_image_surface_create(format, w, h);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  cairo_surface_flush(s);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) reinterpret_cast<uint32_t*>(data + y * stride)[x] = argb(x, y);
  }
  cairo_surface_mark_dirty(s);
  Bytes out;
  cairo_surface_write_to_png_stream(s, AppendBytes, &out);
  cairo_surface_destroy(s);
  return out;
}

TEST(PngDecoder, OpaquePixelsRoundTrip) {
  const Bytes png = MakePng(CAIRO_FORMAT_RGB24, 4, 3,
                            [](int x, int y) { return static_cast<uint32_t>(x * 0x400000 + y * 0x80 + 7); });
  QelImage img;
  ASSERT_EQ(QelDecodeImage(png.data(), png.size(), img), QelImageStatus::kOk);
  ASSERT_EQ(img.Width(), 4);
  ASSERT_EQ(img.Height(), 3);
  EXPECT_EQ(img.Pixel(3, 2), 3u * 0x400000 + 2 * 0x80 + 7);
  EXPECT_EQ(img.Pixel(0, 0), 7u);
}

TEST(PngDecoder, TransparencyIsComposedOverBlack) {
  // Premultiplied: half-transparent white is stored as 0x80808080.
  const Bytes png = MakePng(CAIRO_FORMAT_ARGB32, 2, 1, [](int x, int) { return x == 0 ? 0x80808080u : 0x00000000u; });
  QelImage img;
  ASSERT_EQ(QelDecodePng(png.data(), png.size(), img), QelImageStatus::kOk);
  EXPECT_EQ(img.Pixel(0, 0), 0x808080u);
  EXPECT_EQ(img.Pixel(1, 0), 0u);
}

struct BadPngCase {
  const char* name;
  std::function<Bytes(Bytes)> change;
  QelImageStatus status;
};

class BadPngs : public ::testing::TestWithParam<BadPngCase> {};

void PutBig32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

TEST_P(BadPngs, AreRefused) {
  const Bytes good =
      MakePng(CAIRO_FORMAT_RGB24, 8, 8, [](int x, int y) { return static_cast<uint32_t>(x * y * 1000); });
  const Bytes b = GetParam().change(good);
  QelImage img;
  EXPECT_EQ(QelDecodePng(b.data(), b.size(), img), GetParam().status);
  EXPECT_TRUE(img.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Png, BadPngs,
                         ::testing::Values(BadPngCase{"SignatureOnly",
                                                      [](Bytes b) {
                                                        b.resize(8);
                                                        return b;
                                                      },
                                                      QelImageStatus::kTruncated},
                                           BadPngCase{"ZeroWidth",
                                                      [](Bytes b) {
                                                        PutBig32(b, 16, 0);
                                                        return b;
                                                      },
                                                      QelImageStatus::kBadHeader},
                                           BadPngCase{"AbsurdSize",
                                                      [](Bytes b) {
                                                        PutBig32(b, 16, 100000);
                                                        PutBig32(b, 20, 100000);
                                                        return b;
                                                      },
                                                      QelImageStatus::kTooLarge},
                                           BadPngCase{"NoHeaderChunk",
                                                      [](Bytes b) {
                                                        b[12] = 'X';
                                                        return b;
                                                      },
                                                      QelImageStatus::kBadHeader},
                                           BadPngCase{"CutInHalf",
                                                      [](Bytes b) {
                                                        b.resize(b.size() / 2);
                                                        return b;
                                                      },
                                                      QelImageStatus::kDecodeError},
                                           BadPngCase{"CorruptData",
                                                      [](Bytes b) {
                                                        for (size_t i = 41; i < b.size() - 12; ++i) b[i] ^= 0x5A;
                                                        return b;
                                                      },
                                                      QelImageStatus::kDecodeError}),
                         [](const ::testing::TestParamInfo<BadPngCase>& info) { return std::string(info.param.name); });

// A chunk is trusted with no more bytes than the file holds, and chunks
// that are not the picture never reach the PNG reader: before, a 65-byte
// file whose text chunk claimed 2 GiB made the reader allocate 2 GiB.
TEST(PngDecoder, ChunksAreBoundedByTheFileAndTextsNeverReachTheReader) {
  const Bytes good = MakePng(CAIRO_FORMAT_RGB24, 2, 2, [](int x, int y) { return static_cast<uint32_t>(x + y); });
  const size_t afterHeader = 8 + 25;
  auto withChunk = [&](const char* type, const Bytes& body, uint32_t claimed) {
    Bytes b(good.begin(), good.begin() + afterHeader);
    Bytes chunk(12 + body.size());
    PutBig32(chunk, 0, claimed);
    std::memcpy(chunk.data() + 4, type, 4);
    std::copy(body.begin(), body.end(), chunk.begin() + 8);
    b.insert(b.end(), chunk.begin(), chunk.end());
    b.insert(b.end(), good.begin() + afterHeader, good.end());
    return b;
  };
  const Bytes text(20, 'x');
  const Bytes huge = withChunk("tEXt", text, 0x7FFFFFF0u);
  ASSERT_LT(huge.size(), 200u);
  const pid_t pid = ::fork();
  if (pid == 0) {
    // The child's peak address space may not grow by more than 64 MiB.
    auto peakKb = [] {
      std::ifstream status("/proc/self/status");
      std::string line;
      long kb = 0;
      while (std::getline(status, line)) {
        if (line.rfind("VmPeak:", 0) == 0) kb = std::stol(line.substr(7));
      }
      return kb;
    };
    const long before = peakKb();
    QelImage img;
    const QelImageStatus st = QelDecodePng(huge.data(), huge.size(), img);
    if (peakKb() - before > 64 * 1024) ::_exit(2);
    ::_exit(st == QelImageStatus::kDecodeError && img.IsEmpty() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  // A text chunk of the right size is left out and the picture decodes.
  QelImage img;
  EXPECT_EQ(QelDecodePng(withChunk("tEXt", text, 20).data(), withChunk("tEXt", text, 20).size(), img),
            QelImageStatus::kOk);
  EXPECT_EQ(img.Pixel(1, 1), 2u);
  // Without its end chunk the file is refused.
  Bytes noEnd = good;
  noEnd.resize(noEnd.size() - 12);
  EXPECT_EQ(QelDecodePng(noEnd.data(), noEnd.size(), img), QelImageStatus::kDecodeError);
}

TEST(ImageFile, LoadsFromDiskAndRefusesMissingFiles) {
  const Bytes b = BuildBmp(BmpLayout{});
  const std::string path = ::testing::TempDir() + "/qel_image_test.bmp";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
  QelImage img;
  EXPECT_EQ(QelLoadImageFile(path, img), QelImageStatus::kOk);
  EXPECT_EQ(img.Pixel(2, 1), Rgb24(2, 1));
  std::remove(path.c_str());
  EXPECT_EQ(QelLoadImageFile(path, img), QelImageStatus::kTruncated);
  EXPECT_TRUE(img.IsEmpty());
}

}  // namespace

}  // namespace qel
