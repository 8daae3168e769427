// A list taken out of its window, without the window: the size of its
// picture, the bitmap file of a picture (24 bits per pixel, bottom-up, each
// row padded to 4 bytes) and the column-aligned text file. Both files are
// written beside the target and renamed over it, so a failed write never
// leaves a half file in its place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

struct CCaptureMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The picture's size: the list's client size, raised to its whole extent
// when asked, plus the margins; the width rounded up to an even number.
struct CCaptureSize {
  int width = 0;
  int height = 0;
};
CCaptureSize GetCaptureSize(int clientWidth, int clientHeight, int extentWidth, int extentHeight, bool wholeExtent,
                            const CCaptureMargins& margins);

// The bitmap file of a top-down picture of 3 bytes (red, green, blue) per
// pixel: the 14-byte file header, the 40-byte information header (4724
// pixels per metre both ways, no colour table), then the rows from the last
// to the first, blue-green-red, each padded to 4 bytes. Empty for a size of 0.
std::vector<uint8_t> EncodeBitmapFile(int width, int height, const uint8_t* rgb);
constexpr int32_t kBitmapPixelsPerMetre = 4724;

// The text file of a list: the head line, the caption line, one line per
// row and the foot line, each ending "\r\n". Every cell is padded to its
// column's width (the longest of caption and cells, in characters): right-
// aligned, except in the last column, left-aligned; cells joined by two
// blanks. A "|" or line break inside a value is written as a blank, so a
// value never breaks its row. Empty when there are no rows or no columns.
std::string FormatListText(const std::string& head, const std::string& foot, const std::vector<std::string>& captions,
                           const std::vector<std::vector<std::string>>& rows);

// Writes the bytes over path (beside it, then renamed); false with the
// error text when that failed.
bool WriteListFile(const std::string& path, const std::string& bytes, std::string* error);

}  // namespace qel
