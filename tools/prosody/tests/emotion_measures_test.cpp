// The committed sentences are WAVE files the task can play (PCM, 22050 Hz,
// mono, 16 bit) and the four emotions differ measurably in the way emotional
// speech does: for every sentence, the same words spoken sad are lowest,
// slowest and softest, angry loudest, frightened highest and fastest, and
// happy between them in pitch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/prosody/ProsodySpeech.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

enum Emotion { kHappy = 0, kSad = 1, kAngry = 2, kFrightened = 3 };

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

// The samples of a canonical PCM WAVE file, checked field by field.
std::vector<int16_t> ReadWave(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_GE(b.size(), 44u);
  if (b.size() < 44) return {};
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(Le32(b, 4), b.size() - 8);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le32(b, 16), 16u);
  EXPECT_EQ(Le16(b, 20), 1u) << "PCM";
  EXPECT_EQ(Le16(b, 22), 1u) << "mono";
  EXPECT_EQ(Le32(b, 24), static_cast<uint32_t>(prosody::kSampleRate));
  EXPECT_EQ(Le32(b, 28), static_cast<uint32_t>(prosody::kSampleRate * 2));
  EXPECT_EQ(Le16(b, 32), 2u);
  EXPECT_EQ(Le16(b, 34), 16u);
  EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
  const uint32_t bytes = Le32(b, 40);
  EXPECT_EQ(bytes, b.size() - 44);
  std::vector<int16_t> s(std::min<size_t>(bytes, b.size() - 44) / 2);
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>(Le16(b, 44 + 2 * i));
  return s;
}

struct Measures {
  double pitchHz = 0;  // median fundamental frequency of the voiced frames
  double seconds = 0;  // from the first to the last frame of speech
  double level = 0;    // mean RMS of the frames of speech
  double peak = 0;     // largest sample magnitude
};

// 40 ms frames every 10 ms; a frame is speech when its RMS is above 300, and
// voiced when its autocorrelation at the best lag between 1/400 s and 1/70 s
// reaches half its energy.
Measures Measure(const std::vector<int16_t>& s) {
  const int rate = prosody::kSampleRate;
  const size_t frame = rate * 40 / 1000;
  const size_t hop = rate * 10 / 1000;
  const size_t minLag = rate / 400;
  const size_t maxLag = rate / 70;
  Measures m;
  std::vector<double> pitches;
  double levelSum = 0;
  int speechFrames = 0;
  long first = -1, last = -1;
  for (size_t start = 0, index = 0; start + frame <= s.size(); start += hop, ++index) {
    double energy = 0;
    for (size_t i = 0; i < frame; ++i) energy += static_cast<double>(s[start + i]) * s[start + i];
    const double rms = std::sqrt(energy / frame);
    if (rms < 300) continue;
    if (first < 0) first = static_cast<long>(index);
    last = static_cast<long>(index);
    levelSum += rms;
    ++speechFrames;
    const size_t span = frame - maxLag;
    double e0 = 0;
    for (size_t i = 0; i < span; ++i) e0 += static_cast<double>(s[start + i]) * s[start + i];
    double best = 0;
    size_t bestLag = 0;
    for (size_t lag = minLag; lag < maxLag; ++lag) {
      double c = 0;
      for (size_t i = 0; i < span; ++i) c += static_cast<double>(s[start + i]) * s[start + i + lag];
      if (c > best) {
        best = c;
        bestLag = lag;
      }
    }
    if (e0 > 0 && bestLag > 0 && best >= 0.5 * e0) pitches.push_back(static_cast<double>(rate) / bestLag);
  }
  for (int16_t v : s) m.peak = std::max(m.peak, std::abs(static_cast<double>(v)));
  if (!pitches.empty()) {
    std::sort(pitches.begin(), pitches.end());
    m.pitchHz = pitches[pitches.size() / 2];
  }
  if (first >= 0) m.seconds = (last - first) * 0.010 + 0.040;
  if (speechFrames > 0) m.level = levelSum / speechFrames;
  return m;
}

std::string Show(const Measures (&m)[4]) {
  std::string text;
  const char* names[] = {"happy", "sad", "angry", "frightened"};
  for (int e = 0; e < 4; ++e) {
    text += std::string(names[e]) + ": " + std::to_string(m[e].pitchHz) + " Hz, " + std::to_string(m[e].seconds) +
            " s, level " + std::to_string(m[e].level) + "; ";
  }
  return text;
}

TEST(ProsodyEmotions, EverySentenceDiffersInPitchRateAndLevelByEmotion) {
  const fs::path sounds = fs::path(QEL_PROSODY_FOLDER) / "sounds";
  for (int s = 0; s <= prosody::kSentenceCount; ++s) {
    const bool demonstration = s == prosody::kSentenceCount;
    SCOPED_TRACE(demonstration ? std::string("demonstration") : "sentence " + std::to_string(s));
    Measures m[4];
    for (int e = 0; e < prosody::kEmotionCount; ++e) {
      const auto samples =
          ReadWave(sounds / (demonstration ? prosody::DemonstrationFile(e) : prosody::SentenceFile(e, s)));
      ASSERT_GT(samples.size(), static_cast<size_t>(prosody::kSampleRate / 2)) << "at least half a second";
      m[e] = Measure(samples);
      EXPECT_LT(m[e].peak, 32000) << "not clipped";
    }
    SCOPED_TRACE(Show(m));
    // Pitch: sad < angry < happy < frightened, each at least 10 % apart.
    EXPECT_GT(m[kAngry].pitchHz, m[kSad].pitchHz * 1.10);
    EXPECT_GT(m[kHappy].pitchHz, m[kAngry].pitchHz * 1.10);
    EXPECT_GT(m[kFrightened].pitchHz, m[kHappy].pitchHz * 1.10);
    // Rate: the same words take longest sad and shortest frightened.
    for (Emotion e : {kHappy, kAngry, kFrightened}) EXPECT_GT(m[kSad].seconds, m[e].seconds * 1.15) << e;
    for (Emotion e : {kHappy, kAngry}) EXPECT_LT(m[kFrightened].seconds, m[e].seconds * 0.95) << e;
    // Level: angry loudest, sad softest.
    for (Emotion e : {kHappy, kFrightened}) EXPECT_GT(m[kAngry].level, m[e].level * 1.10) << e;
    for (Emotion e : {kHappy, kAngry, kFrightened}) EXPECT_LT(m[kSad].level, m[e].level * 0.60) << e;
  }
}

}  // namespace

}  // namespace qel
