#include "tools/sounds/Synthesizer.h"

#include <algorithm>
#include <cmath>

namespace qel {

namespace sounds {
namespace {

constexpr double kPi = 3.14159265358979323846;

double RaisedCosine(double x) {  // 0 at x=0, 1 at x=1
  if (x <= 0) return 0;
  if (x >= 1) return 1;
  return 0.5 - 0.5 * std::cos(kPi * x);
}

}  // namespace

Synthesizer::Synthesizer(uint32_t sampleRate, uint16_t channels, double seconds)
    : m_rate(sampleRate),
      m_channels(channels),
      m_frames(static_cast<uint32_t>(std::lround(seconds * sampleRate))),
      m_samples(static_cast<size_t>(m_frames) * channels, 0.0) {}

void Synthesizer::AddNote(const Note& note, const std::vector<Partial>& partials) {
  const uint32_t first = static_cast<uint32_t>(std::lround(note.start * m_rate));
  const uint32_t count = static_cast<uint32_t>(std::lround(note.duration * m_rate));
  const double left = std::cos(note.pan * kPi / 2);
  const double right = std::sin(note.pan * kPi / 2);
  for (uint32_t i = 0; i < count && first + i < m_frames; ++i) {
    const double t = static_cast<double>(i) / m_rate;
    const double shape = RaisedCosine(t / note.attack) * RaisedCosine((note.duration - t) / note.release);
    double v = 0;
    for (const Partial& p : partials) {
      const double f = note.frequency * p.ratio;
      if (f >= m_rate / 2.0) continue;  // above Nyquist it would only alias
      v += p.amplitude * std::exp(-t * p.decayScale / note.decay) * std::sin(2 * kPi * f * t);
    }
    v *= note.gain * shape;
    double* frame = &m_samples[static_cast<size_t>(first + i) * m_channels];
    if (m_channels == 1) {
      frame[0] += v;
    } else {
      frame[0] += v * left;
      frame[1] += v * right;
    }
  }
}

void Synthesizer::AddNoiseBurst(double start, double duration, double gain, double decay, double smoothing) {
  const uint32_t first = static_cast<uint32_t>(std::lround(start * m_rate));
  const uint32_t count = static_cast<uint32_t>(std::lround(duration * m_rate));
  double low = 0;
  for (uint32_t i = 0; i < count && first + i < m_frames; ++i) {
    m_noiseState = m_noiseState * 1664525u + 1013904223u;  // fixed LCG: the same bytes every build
    const double white = static_cast<double>(m_noiseState >> 8) / 8388608.0 - 1.0;
    low += (white - low) * smoothing;
    const double t = static_cast<double>(i) / m_rate;
    const double v =
        gain * low * std::exp(-t / decay) * RaisedCosine(t / 0.0005) * RaisedCosine((duration - t) / 0.002);
    for (uint16_t c = 0; c < m_channels; ++c) m_samples[static_cast<size_t>(first + i) * m_channels + c] += v;
  }
}

void Synthesizer::FadeOut(double seconds) {
  const uint32_t n = std::min(m_frames, static_cast<uint32_t>(std::lround(seconds * m_rate)));
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t frame = m_frames - 1 - i;
    const double g = RaisedCosine(static_cast<double>(i) / n);
    for (uint16_t c = 0; c < m_channels; ++c) m_samples[static_cast<size_t>(frame) * m_channels + c] *= g;
  }
}

}  // namespace sounds

}  // namespace qel
