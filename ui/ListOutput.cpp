#include "ui/ListOutput.h"

#include <algorithm>

#include "common/AtomicFile.h"
#include "common/ByteOrder.h"
#include "common/TextEncoding.h"

namespace qel {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint16_t kBitsPerPixel = 24;
constexpr uint16_t kPlanes = 1;
constexpr uint32_t kRowAlignment = 4;
constexpr const char* kLineEnd = "\r\n";
constexpr const char* kCellGap = "  ";

// Characters of a UTF-8 text (bytes that are not continuation bytes).
size_t CharacterCount(const std::string& text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A value as one cell of one line.
std::string CellText(const std::string& value) {
  std::string text = TextAsUtf8(value);
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '|' || c == '\r' || c == '\n'; }, ' ');
  return text;
}

std::string Padded(const std::string& text, size_t width, bool left) {
  const size_t count = CharacterCount(text);
  if (count >= width) return text;
  const std::string blanks(width - count, ' ');
  return left ? text + blanks : blanks + text;
}

}  // namespace

CCaptureSize GetCaptureSize(int clientWidth, int clientHeight, int extentWidth, int extentHeight, bool wholeExtent,
                            const CCaptureMargins& margins) {
  int width = clientWidth;
  int height = clientHeight;
  if (wholeExtent) {
    width = std::max(width, extentWidth);
    height = std::max(height, extentHeight);
  }
  CCaptureSize size;
  size.width = margins.left + margins.right + width;
  size.width += size.width % 2;
  size.height = margins.top + margins.bottom + height;
  return size;
}

std::vector<uint8_t> EncodeBitmapFile(int width, int height, const uint8_t* rgb) {
  if (width <= 0 || height <= 0 || !rgb) return {};
  const uint32_t rowBytes =
      (static_cast<uint32_t>(width) * (kBitsPerPixel / 8) + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
  const uint32_t imageSize = rowBytes * static_cast<uint32_t>(height);
  std::vector<uint8_t> file(kFileHeaderSize + kInfoHeaderSize + imageSize, 0);
  uint8_t* p = file.data();
  p[0] = 'B';
  p[1] = 'M';
  WriteLE32(p + 2, kFileHeaderSize + kInfoHeaderSize + imageSize);
  WriteLE32(p + 10, kFileHeaderSize + kInfoHeaderSize);
  WriteLE32(p + 14, kInfoHeaderSize);
  WriteLE32(p + 18, static_cast<uint32_t>(width));
  WriteLE32(p + 22, static_cast<uint32_t>(height));
  WriteLE16(p + 26, kPlanes);
  WriteLE16(p + 28, kBitsPerPixel);
  WriteLE32(p + 30, 0);
  WriteLE32(p + 34, imageSize);
  WriteLE32(p + 38, static_cast<uint32_t>(kBitmapPixelsPerMetre));
  WriteLE32(p + 42, static_cast<uint32_t>(kBitmapPixelsPerMetre));
  uint8_t* pixels = p + kFileHeaderSize + kInfoHeaderSize;
  for (int y = 0; y < height; ++y) {
    const uint8_t* source = rgb + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) * 3;
    uint8_t* target = pixels + static_cast<size_t>(y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      target[x * 3 + 0] = source[x * 3 + 2];
      target[x * 3 + 1] = source[x * 3 + 1];
      target[x * 3 + 2] = source[x * 3 + 0];
    }
  }
  return file;
}

std::string FormatListText(const std::string& head, const std::string& foot, const std::vector<std::string>& captions,
                           const std::vector<std::vector<std::string>>& rows) {
  if (captions.empty() || rows.empty()) return std::string();
  std::vector<std::string> captionCells;
  for (const std::string& caption : captions) captionCells.push_back(CellText(caption));
  std::vector<std::vector<std::string>> cells;
  for (const std::vector<std::string>& row : rows) {
    std::vector<std::string> line;
    for (size_t c = 0; c < captions.size(); ++c) line.push_back(c < row.size() ? CellText(row[c]) : std::string());
    cells.push_back(std::move(line));
  }
  std::vector<size_t> widths;
  for (size_t c = 0; c < captions.size(); ++c) {
    size_t width = CharacterCount(captionCells[c]);
    for (const std::vector<std::string>& line : cells) width = std::max(width, CharacterCount(line[c]));
    widths.push_back(width);
  }
  auto line = [&](const std::vector<std::string>& values) {
    std::string out;
    for (size_t c = 0; c < values.size(); ++c) {
      if (c > 0) out += kCellGap;
      out += Padded(values[c], widths[c], c + 1 == values.size());
    }
    return out + kLineEnd;
  };
  std::string text = head + kLineEnd + line(captionCells);
  for (const std::vector<std::string>& values : cells) text += line(values);
  return text + foot + kLineEnd;
}

bool WriteListFile(const std::string& path, const std::string& bytes, std::string* error) {
  return WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}

}  // namespace qel
