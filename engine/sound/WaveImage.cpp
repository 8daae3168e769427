#include "engine/sound/WaveImage.h"

#include <cstring>

#include "common/ByteOrder.h"

namespace qel {

namespace {

// The end of the RIFF body, or 0 when the image is not a whole RIFF/WAVE image.
size_t RiffEnd(const uint8_t* p, size_t size) {
  if (!p || size < 12) return 0;
  if (std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0) return 0;
  const uint64_t end = 8ull + ReadLE32(p + 4);
  if (end < 12 || end > size) return 0;  // a RIFF size past the image: truncated
  return static_cast<size_t>(end);
}

}  // namespace

const uint8_t* FindWaveChunk(const void* image, size_t size, const char id[4]) {
  const uint8_t* p = static_cast<const uint8_t*>(image);
  const size_t end = RiffEnd(p, size);
  if (end == 0 || !id) return nullptr;
  size_t pos = 12;
  while (end - pos >= 8) {
    const uint64_t body = ReadLE32(p + pos + 4);
    if (body > end - pos - 8) return nullptr;  // truncated chunk: nothing behind it is trusted
    if (std::memcmp(p + pos, id, 4) == 0) return p + pos;
    const uint64_t next = pos + 8 + body + (body & 1);
    if (next >= end) break;
    pos = static_cast<size_t>(next);
  }
  return nullptr;
}

uint32_t WaveChunkSize(const uint8_t* header) { return header ? ReadLE32(header + 4) : 0; }

SoundResult ParseWaveImage(const void* image, size_t size, WaveImage& out) {
  const uint8_t* fmt = FindWaveChunk(image, size, "fmt ");
  if (!fmt || WaveChunkSize(fmt) < 16) return kSoundNotPcmWave;
  const uint8_t* f = fmt + 8;
  QelWaveFormat format;
  format.formatTag = ReadLE16(f);
  if (format.formatTag != 1) return kSoundNotPcmWave;
  format.channels = ReadLE16(f + 2);
  format.samplesPerSec = ReadLE32(f + 4);
  format.avgBytesPerSec = ReadLE32(f + 8);
  format.blockAlign = ReadLE16(f + 12);
  format.bitsPerSample = ReadLE16(f + 14);
  format.cbSize = 0;
  const uint8_t* data = FindWaveChunk(image, size, "data");
  if (!data) return kSoundNotPcmWave;
  out.format = format;
  out.data = data + 8;
  out.bytes = WaveChunkSize(data);
  return kSoundOk;
}

bool IsPlayablePcmFormat(const QelWaveFormat& f) {
  if (f.formatTag != 1) return false;
  if (f.channels < 1 || f.channels > 2) return false;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
  if (f.samplesPerSec < 100 || f.samplesPerSec > 200000) return false;
  return f.blockAlign == f.channels * (f.bitsPerSample / 8);
}

}  // namespace qel
