// Decoders for the pictures that modules embed or read: Windows bitmaps
// (a file with its "BM" header, or a packed DIB: header, colour table and
// bits as one block) and PNG. Every size and offset is checked against the
// given bytes: bad input gives a status, never an over-read, a crash or a
// huge allocation.
#pragma once

#include <cstddef>
#include <string>

#include "display/image/Image.h"

namespace qel {

enum class QelImageStatus {
  kOk,
  kUnknownFormat,  // neither a bitmap nor a PNG
  kTruncated,      // the data ends before a header, table or the pixel rows
  kBadHeader,      // impossible field values (planes, sizes, colour counts)
  kUnsupported,    // a valid kind this decoder does not read (RLE, JPEG-in-BMP, old headers)
  kTooLarge,       // beyond kQelImageMaxSide / kQelImageMaxPixels, or out of memory
  kBadOffset,      // the pixel offset points into the headers or beyond the data
  kBadBitfields,   // colour masks that are zero, split or overlapping
  kDecodeError,    // the PNG reader rejected the data
};

// A short English text for a status ("truncated data", ...).
const char* QelImageStatusText(QelImageStatus status);

// A bitmap file: BITMAPFILEHEADER, then the info header, colour table and bits.
QelImageStatus QelDecodeBmpFile(const void* data, size_t size, QelImage& out);

// A packed DIB (what a BITMAPINFO pointer points at): the info header, the
// colour masks or colour table, then the bits right after them.
QelImageStatus QelDecodeDib(const void* data, size_t size, QelImage& out);

// A PNG file. Transparent pixels are composed over black.
QelImageStatus QelDecodePng(const void* data, size_t size, QelImage& out);

// Chooses by the first bytes: "BM" a bitmap file, the PNG signature a PNG,
// a plausible info-header size a packed DIB.
QelImageStatus QelDecodeImage(const void* data, size_t size, QelImage& out);

// Reads a picture file (at most 256 MB) and decodes it with QelDecodeImage;
// kTruncated when the file cannot be read.
QelImageStatus QelLoadImageFile(const std::string& path, QelImage& out);

}  // namespace qel
