#include "tools/sounds/WaveFileWriter.h"

#include <cmath>
#include <cstdio>

namespace qel {

namespace sounds {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutId(std::vector<uint8_t>& out, const char* id) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

double Clamp(double x) { return x < -1.0 ? -1.0 : (x > 1.0 ? 1.0 : x); }

}  // namespace

std::vector<uint8_t> BuildWaveImage(const WaveLayout& layout, const std::vector<double>& samples) {
  const uint32_t bytesPerSample = layout.bitsPerSample / 8u;
  const uint32_t blockAlign = bytesPerSample * layout.channels;
  const uint32_t frames = static_cast<uint32_t>(samples.size() / layout.channels);
  const uint32_t dataBytes = frames * blockAlign;
  const uint32_t pad = dataBytes & 1u;

  std::vector<uint8_t> out;
  PutId(out, "RIFF");
  Put32(out, 0);  // patched below
  PutId(out, "WAVE");
  PutId(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, layout.channels);
  Put32(out, layout.sampleRate);
  Put32(out, layout.sampleRate * blockAlign);
  Put16(out, blockAlign);
  Put16(out, layout.bitsPerSample);
  if (layout.factChunk) {
    PutId(out, "fact");
    Put32(out, 4);
    Put32(out, frames);
  }
  PutId(out, "data");
  Put32(out, dataBytes);
  for (uint32_t i = 0; i < frames * layout.channels; ++i) {
    const double x = Clamp(samples[i]);
    if (layout.bitsPerSample == 8) {
      out.push_back(static_cast<uint8_t>(128 + std::lround(x * 127.0)));
    } else {
      Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(x * 32767.0))));
    }
  }
  if (pad) out.push_back(0);
  const uint32_t riffSize = static_cast<uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>((riffSize >> (8 * i)) & 0xFF);
  return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace sounds

}  // namespace qel
