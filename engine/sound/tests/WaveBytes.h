// Building RIFF/WAVE images byte by byte for tests: chunks in any order,
// sizes that may lie, pad bytes, and an exactly sized copy on the heap so an
// over-read is caught by AddressSanitizer.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ByteOrder.h"

namespace qel {

namespace test {

inline std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint16_t extra = 0) {
  std::vector<uint8_t> b;
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  AppendLE16(b, tag);
  AppendLE16(b, channels);
  AppendLE32(b, rate);
  AppendLE32(b, rate * align);
  AppendLE16(b, align);
  AppendLE16(b, bits);
  if (extra) {
    AppendLE16(b, extra);
    b.resize(b.size() + extra, 0);
  }
  return b;
}

struct Chunk {
  Chunk(std::string i, std::vector<uint8_t> b, std::optional<uint32_t> declared = std::nullopt, bool p = true)
      : id(std::move(i)), body(std::move(b)), declaredSize(declared), pad(p) {}
  std::string id;
  std::vector<uint8_t> body;
  std::optional<uint32_t> declaredSize;  // a size field that differs from the body
  bool pad = true;                       // a pad byte after an odd body
};

struct WaveBytes {
  WaveBytes(std::vector<Chunk> c) : chunks(std::move(c)) {}  // NOLINT: brace-built in tables
  std::vector<Chunk> chunks;
  std::optional<uint32_t> riffSize;  // default: the true size
  std::string riff = "RIFF";
  std::string wave = "WAVE";

  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> v(riff.begin(), riff.end());
    AppendLE32(v, 0);
    v.insert(v.end(), wave.begin(), wave.end());
    for (const Chunk& c : chunks) {
      v.insert(v.end(), c.id.begin(), c.id.end());
      AppendLE32(v, c.declaredSize.value_or(static_cast<uint32_t>(c.body.size())));
      v.insert(v.end(), c.body.begin(), c.body.end());
      if (c.pad && (c.body.size() & 1)) v.push_back(0);
    }
    const uint32_t size = riffSize.value_or(static_cast<uint32_t>(v.size() - 8));
    WriteLE32(v.data() + 4, size);
    return v;
  }
};

inline std::vector<uint8_t> Pcm16Sine(uint32_t frames, uint32_t rate, double freq, double amplitude = 12000) {
  std::vector<uint8_t> b;
  for (uint32_t i = 0; i < frames; ++i)
    AppendLE16(
        b, static_cast<uint16_t>(static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * freq * i / rate)))));
  return b;
}

inline std::vector<uint8_t> Pcm8Sine(uint32_t frames, uint32_t rate, double freq, double amplitude = 100) {
  std::vector<uint8_t> b;
  for (uint32_t i = 0; i < frames; ++i)
    b.push_back(static_cast<uint8_t>(128 + std::lround(amplitude * std::sin(2 * M_PI * freq * i / rate))));
  return b;
}

// The bytes in a heap block of exactly their size.
struct ExactBytes {
  explicit ExactBytes(const std::vector<uint8_t>& v) : size(v.size()), data(new uint8_t[v.size() ? v.size() : 1]) {
    if (size) std::memcpy(data.get(), v.data(), size);
  }
  size_t size;
  std::unique_ptr<uint8_t[]> data;
};

}  // namespace test

}  // namespace qel
