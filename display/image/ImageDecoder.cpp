#include "display/image/ImageDecoder.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/ByteOrder.h"

namespace qel {

namespace {

constexpr long kMaxImageFileBytes = 256L * 1024 * 1024;

}  // namespace

const char* QelImageStatusText(QelImageStatus status) {
  switch (status) {
    case QelImageStatus::kOk:
      return "no error";
    case QelImageStatus::kUnknownFormat:
      return "unknown picture format";
    case QelImageStatus::kTruncated:
      return "truncated picture data";
    case QelImageStatus::kBadHeader:
      return "invalid picture header";
    case QelImageStatus::kUnsupported:
      return "unsupported picture kind";
    case QelImageStatus::kTooLarge:
      return "picture too large";
    case QelImageStatus::kBadOffset:
      return "invalid pixel data offset";
    case QelImageStatus::kBadBitfields:
      return "invalid colour masks";
    case QelImageStatus::kDecodeError:
      return "corrupt picture data";
  }
  return "unknown error";
}

QelImageStatus QelDecodeImage(const void* data, size_t size, QelImage& out) {
  out.Clear();
  const uint8_t* d = static_cast<const uint8_t*>(data);
  if (!d || size < 4) return QelImageStatus::kTruncated;
  if (d[0] == 'B' && d[1] == 'M') return QelDecodeBmpFile(data, size, out);
  if (d[0] == 0x89 && d[1] == 'P' && d[2] == 'N' && d[3] == 'G') return QelDecodePng(data, size, out);
  switch (ReadLE32(d)) {
    case 40:
    case 52:
    case 56:
    case 108:
    case 124:
      return QelDecodeDib(data, size, out);
    default:
      return QelImageStatus::kUnknownFormat;
  }
}

QelImageStatus QelLoadImageFile(const std::string& path, QelImage& out) {
  out.Clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return QelImageStatus::kTruncated;
  std::vector<uint8_t> bytes;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  const long length = ok ? std::ftell(f) : -1;
  ok = ok && length >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok && length > kMaxImageFileBytes) {
    std::fclose(f);
    return QelImageStatus::kTooLarge;
  }
  if (ok) {
    bytes.resize(static_cast<size_t>(length));
    ok = length == 0 || std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
  }
  std::fclose(f);
  if (!ok) return QelImageStatus::kTruncated;
  return QelDecodeImage(bytes.data(), bytes.size(), out);
}

}  // namespace qel
