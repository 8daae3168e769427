#include "display/DisplayText.h"
#include "common/ByteOrder.h"

#include <cstdarg>
#include <cstdio>

#include "display/RasterSurface.h"

namespace qel {

namespace display {

namespace {

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

void Join(std::string& text, const char* word) {
  if (!text.empty()) text += ", ";
  text += word;
}

}  // namespace

std::string FormatGuid(const uint8_t g[16]) {
  const unsigned data1 = ReadLE32(g);
  const unsigned data2 = ReadLE16(g + 4);
  const unsigned data3 = ReadLE16(g + 6);
  return Printf("%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", data1, data2, data3, g[8], g[9], g[10], g[11],
                g[12], g[13], g[14], g[15]);
}

std::string FormatMem(uint32_t bytes) {
  return Printf("%dMb.%dKb", static_cast<int>(bytes >> 20), static_cast<int>((bytes >> 10) % 1024));
}

std::string FormatMemGrouped(uint32_t bytes) {
  std::string text;
  if (bytes >= (1u << 20)) text += Printf("%d,", static_cast<int>(bytes >> 20));
  if (bytes >= 1024) text += Printf("%03d,", static_cast<int>((bytes >> 10) % 1024));
  text += Printf("%03d", static_cast<int>(bytes % 1024));
  return text;
}

std::string FormatRect(const QelRect& r) {
  return Printf("(%d,%d,%d,%d) %dx%d", r.left, r.top, r.right, r.bottom, r.Width(), r.Height());
}

std::string AttributeWords(uint32_t a) {
  std::string text;
  if (a & 0x001) Join(text, "Primary");
  if (a & 0x002) Join(text, "Windowed");
  if (a & 0x008) Join(text, "Flip");
  if (a & 0x100) Join(text, "BrkEnabled");
  if (a & 0x200) Join(text, "MemSys");
  return text;
}

std::string SurfaceCapsWords(uint32_t caps, bool lost) {
  std::string text = lost ? "Lost" : "";
  if (caps & kCapsPrimary) Join(text, "Primary");
  if (caps & kCapsVisible) Join(text, "Visible");
  if (caps & kCapsFrontBuffer) Join(text, "Frontbuffer");
  if (caps & kCapsBackBuffer) Join(text, "Backbuffer");
  if (caps & kCapsFlip) Join(text, "Flip");
  if (caps & kCapsOffScreen) Join(text, "OffScreen");
  if (caps & kCapsVidMem) {
    std::string word = "VidMem";
    if (caps & kCapsLocalVidMem) word += "Local";
    if (caps & kCapsNonlocalVidMem) word += "Nonlocal";
    Join(text, word.c_str());
  } else {
    if (caps & kCapsLocalVidMem) Join(text, "LocalVidMem");
    if (caps & kCapsNonlocalVidMem) Join(text, "NonlocalVidMem");
  }
  if (caps & kCapsSysMem) Join(text, "SysMem");
  if (caps & kCaps3DDevice) Join(text, "3DDevice");
  if (caps & kCapsRenderWindowed) Join(text, "CanRenderWindowed");
  return text;
}

std::string HardwareCapsWords(uint32_t caps) {
  std::string text;
  if (caps & 0x02000000) Join(text, "NoHardwareSupport");
  if (caps & 0x00000001) Join(text, "3D");
  if (caps & 0x00000400) Join(text, "GDI");
  if (caps & 0x00000040) Join(text, "Blt");
  if (caps & 0x80000000) Join(text, "BltSysMem");
  if (caps & 0x04000000) Join(text, "BltColorFill");
  if (caps & 0x00000200) Join(text, "BltStretch");
  if (caps & 0x20000000) Join(text, "BltClip");
  if (caps & 0x40000000) Join(text, "BltClipStretch");
  return text;
}

std::string FurtherCapsWords(uint32_t caps2) {
  std::string text;
  if (caps2 & 0x00080000) Join(text, "RenderInWindowedMode");
  if (caps2 & 0x00000200) Join(text, (caps2 & 0x00000400) ? "VidMemNonlocalCaps" : "VidMemNonlocal");
  return text;
}

std::string ErrorReport(const char* step, const std::string& errorName) {
  return std::string(step && *step ? step : "Error!") + "\n" + errorName;
}

}  // namespace display

}  // namespace qel
