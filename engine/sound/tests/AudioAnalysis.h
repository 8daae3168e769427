// Measuring sound in tests: raw 16-bit stereo output (what the disk audio
// driver writes), the span that is not silent, and the frequency of a tone
// from its rising zero crossings.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ByteOrder.h"

namespace qel {

namespace test {

// One channel of interleaved 16-bit samples.
inline std::vector<int16_t> Channel(const std::vector<int16_t>& interleaved, int channels, int channel) {
  std::vector<int16_t> out;
  out.reserve(interleaved.size() / channels);
  for (size_t i = channel; i < interleaved.size(); i += channels) out.push_back(interleaved[i]);
  return out;
}

inline std::vector<int16_t> ReadS16File(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = ReadLEInt16(bytes.data() + 2 * i);
  return samples;
}

struct Span {
  size_t first = 0;  // first sample above the floor
  size_t end = 0;    // one past the last
  size_t Length() const { return end > first ? end - first : 0; }
};

inline Span NonSilent(const std::vector<int16_t>& s, int floor = 300) {
  Span span;
  bool any = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (std::abs(static_cast<int>(s[i])) > floor) {
      if (!any) span.first = i;
      span.end = i + 1;
      any = true;
    }
  }
  return span;
}

// Frequency from the first to the last rising zero crossing in [first, end),
// crossing times interpolated between samples. 0 with fewer than 2 crossings.
inline double ToneFrequency(const std::vector<int16_t>& s, size_t first, size_t end, double rate) {
  double t0 = -1;
  double t1 = -1;
  int crossings = 0;
  for (size_t i = first + 1; i < end && i < s.size(); ++i) {
    if (s[i - 1] < 0 && s[i] >= 0) {
      const double frac = static_cast<double>(-s[i - 1]) / (static_cast<double>(s[i]) - s[i - 1]);
      const double t = static_cast<double>(i - 1) + frac;
      if (t0 < 0) t0 = t;
      t1 = t;
      ++crossings;
    }
  }
  if (crossings < 2) return 0;
  return (crossings - 1) * rate / (t1 - t0);
}

}  // namespace test

}  // namespace qel
