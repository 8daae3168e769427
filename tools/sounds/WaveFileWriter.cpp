#include "tools/sounds/WaveFileWriter.h"

#include <cmath>
#include <cstdio>

#include "common/ByteOrder.h"

namespace qel {

namespace sounds {
namespace {

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
  AppendLE32(out, 0);  // patched below
  PutId(out, "WAVE");
  PutId(out, "fmt ");
  AppendLE32(out, 16);
  AppendLE16(out, 1);
  AppendLE16(out, layout.channels);
  AppendLE32(out, layout.sampleRate);
  AppendLE32(out, layout.sampleRate * blockAlign);
  AppendLE16(out, blockAlign);
  AppendLE16(out, layout.bitsPerSample);
  if (layout.factChunk) {
    PutId(out, "fact");
    AppendLE32(out, 4);
    AppendLE32(out, frames);
  }
  PutId(out, "data");
  AppendLE32(out, dataBytes);
  for (uint32_t i = 0; i < frames * layout.channels; ++i) {
    const double x = Clamp(samples[i]);
    if (layout.bitsPerSample == 8) {
      out.push_back(static_cast<uint8_t>(128 + std::lround(x * 127.0)));
    } else {
      AppendLE16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(x * 32767.0))));
    }
  }
  if (pad) out.push_back(0);
  const uint32_t riffSize = static_cast<uint32_t>(out.size() - 8);
  WriteLE32(out.data() + 4, riffSize);
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
