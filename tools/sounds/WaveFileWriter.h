// Writes PCM RIFF/WAVE images: a "fmt " chunk of 16 bytes, an optional
// chunk between it and "data", and the "data" chunk with its pad byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qel {

namespace sounds {

struct WaveLayout {
  uint16_t channels = 1;
  uint32_t sampleRate = 22050;
  uint16_t bitsPerSample = 16;  // 8 (unsigned) or 16 (signed)
  bool factChunk = false;       // a "fact" chunk (frame count) before "data"
};

// Samples are interleaved, in -1..1; they are rounded to the nearest step.
std::vector<uint8_t> BuildWaveImage(const WaveLayout& layout, const std::vector<double>& samples);

// Writes the bytes to a file; false when it cannot be written whole.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace sounds

}  // namespace qel
