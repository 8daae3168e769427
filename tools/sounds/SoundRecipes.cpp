#include "tools/sounds/SoundRecipes.h"

#include "tools/sounds/Synthesizer.h"

namespace qel {

namespace sounds {
namespace {

// A warm tone: the fundamental with a little second and third harmonic.
const std::vector<Partial> kWarm = {{1, 1.0, 1}, {2, 0.25, 1.5}, {3, 0.1, 2}};
// A bell: inharmonic upper partials that die away faster than the fundamental.
const std::vector<Partial> kBell = {{1, 1.0, 1}, {2.76, 0.35, 2}, {5.40, 0.15, 3.3}};
// A soft square: odd harmonics falling off quickly.
const std::vector<Partial> kSoftSquare = {{1, 1.0, 1}, {3, 0.19, 1}, {5, 0.09, 1}, {7, 0.05, 1}};
// A marimba-like bar: fundamental with a fourth partial that fades at once.
const std::vector<Partial> kBar = {{1, 1.0, 1}, {4, 0.3, 4}, {10, 0.06, 8}};

Synthesizer Make(const WaveLayout& l, double seconds) { return Synthesizer(l.sampleRate, l.channels, seconds); }

// Two short high beeps.
std::vector<double> DoubleBeep(const WaveLayout& l) {
  Synthesizer s = Make(l, 0.2);
  for (double start : {0.0, 0.12}) {
    Note n{.start = start,
           .duration = 0.075,
           .frequency = 880,
           .gain = 0.6,
           .attack = 0.004,
           .decay = 0.3,
           .release = 0.012};
    s.AddNote(n, kWarm);
  }
  s.FadeOut(0.005);
  return s.Samples();
}

// One soft chime that rings out.
std::vector<double> SoftChime(const WaveLayout& l) {
  Synthesizer s = Make(l, 0.4);
  Note n{
      .start = 0, .duration = 0.4, .frequency = 1318.51, .gain = 0.55, .attack = 0.002, .decay = 0.12, .release = 0.03};
  s.AddNote(n, kBell);
  s.FadeOut(0.01);
  return s.Samples();
}

// A falling pair of tones: the classic "not quite".
std::vector<double> FallingTwoTone(const WaveLayout& l) {
  Synthesizer s = Make(l, 0.3);
  s.AddNote({.start = 0,
             .duration = 0.115,
             .frequency = 659.26,
             .gain = 0.5,
             .attack = 0.005,
             .decay = 0.5,
             .release = 0.015},
            kWarm);
  s.AddNote(
      {.start = 0.11, .duration = 0.19, .frequency = 440, .gain = 0.55, .attack = 0.005, .decay = 0.4, .release = 0.03},
      kWarm);
  s.FadeOut(0.005);
  return s.Samples();
}

// A dry wooden click.
std::vector<double> WoodClick(const WaveLayout& l) {
  Synthesizer s = Make(l, 0.06);
  s.AddNote(
      {.start = 0, .duration = 0.06, .frequency = 1500, .gain = 0.5, .attack = 0.0005, .decay = 0.012, .release = 0.01},
      kBar);
  s.AddNoiseBurst(0, 0.02, 0.35, 0.004, 0.5);
  s.FadeOut(0.003);
  return s.Samples();
}

// A short low buzz.
std::vector<double> LowBuzz(const WaveLayout& l) {
  Synthesizer s = Make(l, 0.25);
  s.AddNote(
      {.start = 0, .duration = 0.25, .frequency = 196, .gain = 0.55, .attack = 0.008, .decay = 1.0, .release = 0.025},
      kSoftSquare);
  s.FadeOut(0.005);
  return s.Samples();
}

// A rising arpeggio that moves from the left to the right speaker.
std::vector<double> StereoArpeggio(const WaveLayout& l) {
  Synthesizer s = Make(l, 1.9);
  const double freqs[] = {523.25, 659.26, 783.99, 1046.50};
  const double pans[] = {0.1, 0.37, 0.63, 0.9};
  for (int i = 0; i < 4; ++i) {
    const double start = 0.25 * i;
    const bool last = i == 3;
    s.AddNote({.start = start,
               .duration = 1.9 - start,
               .frequency = freqs[i],
               .gain = 0.35,
               .attack = 0.003,
               .decay = last ? 0.45 : 0.3,
               .release = 0.1,
               .pan = pans[i]},
              kBell);
  }
  s.FadeOut(0.02);
  return s.Samples();
}

// Two bars, high then lower: "ding-dong".
std::vector<double> DingDong(const WaveLayout& l) {
  Synthesizer s = Make(l, 1.0);
  s.AddNote(
      {.start = 0, .duration = 0.6, .frequency = 783.99, .gain = 0.5, .attack = 0.002, .decay = 0.22, .release = 0.05},
      kBar);
  s.AddNote({.start = 0.4,
             .duration = 0.6,
             .frequency = 659.26,
             .gain = 0.5,
             .attack = 0.002,
             .decay = 0.25,
             .release = 0.05},
            kBar);
  s.FadeOut(0.02);
  return s.Samples();
}

}  // namespace

const std::vector<SoundRecipe>& SoundRecipes() {
  static const std::vector<SoundRecipe> recipes = {
      {179, "179_double_beep.wav", {.channels = 1, .sampleRate = 11025, .bitsPerSample = 8}, DoubleBeep},
      // Its "data" chunk sits behind a "fact" chunk, at byte 48.
      {180,
       "180_soft_chime.wav",
       {.channels = 1, .sampleRate = 22050, .bitsPerSample = 16, .factChunk = true},
       SoftChime},
      {181, "181_falling_two_tone.wav", {.channels = 1, .sampleRate = 44100, .bitsPerSample = 16}, FallingTwoTone},
      {182, "182_wood_click.wav", {.channels = 1, .sampleRate = 22050, .bitsPerSample = 8}, WoodClick},
      {183, "183_low_buzz.wav", {.channels = 1, .sampleRate = 11025, .bitsPerSample = 8}, LowBuzz},
      {143, "143_stereo_arpeggio.wav", {.channels = 2, .sampleRate = 22050, .bitsPerSample = 16}, StereoArpeggio},
      {151, "151_ding_dong.wav", {.channels = 1, .sampleRate = 11025, .bitsPerSample = 8}, DingDong},
  };
  return recipes;
}

}  // namespace sounds

}  // namespace qel
