// Texts the display object and its properties dialog show: GUIDs, memory
// figures, rectangles, attribute and capability words.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DrawContext.h"

namespace qel {

namespace display {

// "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X" of a 16-byte GUID
// (first three fields little-endian, as a GUID is stored).
std::string FormatGuid(const uint8_t guid[16]);

// "%dMb.%dKb": whole megabytes, then the kilobytes beyond them.
std::string FormatMem(uint32_t bytes);

// Groups of thousands of 1024: "%d," megabytes when at least 2^20,
// "%03d," kilobytes when at least 1024, then the bytes as "%03d".
std::string FormatMemGrouped(uint32_t bytes);

// "(%d,%d,%d,%d) %dx%d": left, top, right, bottom, width, height.
std::string FormatRect(const QelRect& r);

// The display attribute words joined by ", ": "Primary" (0x001),
// "Windowed" (0x002), "Flip" (0x008), "BrkEnabled" (0x100), "MemSys" (0x200).
std::string AttributeWords(uint32_t attributes);

// The capability words of one surface row (see SurfaceCaps).
std::string SurfaceCapsWords(uint32_t caps, bool lost);

// Hardware capability words of the first and second caps words.
std::string HardwareCapsWords(uint32_t caps);
std::string FurtherCapsWords(uint32_t caps2);

// "%s\n%s": the failed step (or "Error!" when none) and the error name.
std::string ErrorReport(const char* step, const std::string& errorName);

}  // namespace display

}  // namespace qel
