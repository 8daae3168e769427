// RIFF/WAVE images in memory. The chunks are walked by their headers, every
// size is checked against the image, and a chunk that runs past the end of
// the image (a truncated file) ends the walk: nothing here reads outside
// the bytes it was given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/sound/SoundResult.h"
#include "include/qel/TaskHostInterface.h"  // QelWaveFormat

namespace qel {

// The chunk header (id and size, 8 bytes) of the first chunk with that id
// whose body lies wholly inside the image; null when there is none, when
// the image is not a RIFF/WAVE image, or when the walk meets a truncated
// chunk first. Chunks are word aligned: an odd size is followed by a pad byte.
const uint8_t* FindWaveChunk(const void* image, size_t size, const char id[4]);

// Size field of a chunk header returned by FindWaveChunk.
uint32_t WaveChunkSize(const uint8_t* header);

struct WaveImage {
  QelWaveFormat format;           // from the "fmt " chunk, no extra bytes
  const uint8_t* data = nullptr;  // the "data" chunk's body, inside the image
  uint32_t bytes = 0;             // its length
};

// Reads a PCM RIFF/WAVE image. kSoundNotPcmWave when it is not one (not
// RIFF/WAVE, no "fmt " or "data" chunk, a format tag other than 1, a
// truncated chunk or RIFF size beyond the image).
SoundResult ParseWaveImage(const void* image, size_t size, WaveImage& out);

// Whether the output can play this PCM format: 1 or 2 channels, 8 or 16
// bits, 100..200000 samples per second and a matching block alignment.
bool IsPlayablePcmFormat(const QelWaveFormat& format);

}  // namespace qel
