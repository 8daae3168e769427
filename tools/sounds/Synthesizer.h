// Small additive synthesiser for short feedback sounds: notes made of
// partials under an attack/decay/release envelope, a damped noise burst,
// all mixed into an interleaved buffer of samples in -1..1.
#pragma once

#include <cstdint>
#include <vector>

namespace qel {

namespace sounds {

struct Partial {
  double ratio;       // frequency as a multiple of the note's
  double amplitude;   // relative to the note's gain
  double decayScale;  // this partial decays this much faster (1 = as the note)
};

struct Note {
  double start = 0;        // s
  double duration = 0.1;   // s, release included
  double frequency = 440;  // Hz
  double gain = 0.5;
  double attack = 0.005;  // s, raised-cosine rise
  double decay = 1.0;     // s, time constant of the exponential decay
  double release = 0.01;  // s, raised-cosine fall at the note's end
  double pan = 0.5;       // 0 left .. 1 right (equal power); mono ignores it
};

class Synthesizer {
 public:
  Synthesizer(uint32_t sampleRate, uint16_t channels, double seconds);

  void AddNote(const Note& note, const std::vector<Partial>& partials);
  // A noise burst through a one-pole low-pass: a half-millisecond rise, then
  // a decay with the time constant.
  void AddNoiseBurst(double start, double duration, double gain, double decay, double smoothing);
  // A short fade at the very end so the sound never stops on a step.
  void FadeOut(double seconds);

  const std::vector<double>& Samples() const { return m_samples; }

 private:
  uint32_t m_rate;
  uint16_t m_channels;
  uint32_t m_frames;
  std::vector<double> m_samples;
  uint32_t m_noiseState = 0x2545F491u;
};

}  // namespace sounds

}  // namespace qel
