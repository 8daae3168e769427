// qel_voice_key_bench [runs]: how long after a burst in the capture input
// the voice key raises its bit.
//
// The input is a file read by SDL's disk audio driver at real-time pace:
// silence, then a 1 kHz burst at 50 % of full scale on the first channel.
// Each run starts the key, takes the moment of Start as the input's time 0
// and waits for bit 0; the latency is the wait minus the burst's position.
// It holds the device's delivery (the driver hands over 8 ms pieces), the
// 1 ms beat and the detector. The detector's own share is given apart, from
// feeding the same samples straight into a channel.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/ByteOrder.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/SoundService.h"
#include "engine/sound/voicekey/VoiceKey.h"
#include "engine/sound/voicekey/VoiceKeyChannel.h"

namespace qel {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRate = 8000;
constexpr double kBurstAt = 0.3;      // s
constexpr double kBurstLength = 0.3;  // s
constexpr double kTotal = 0.8;        // s
constexpr double kAmplitude = 16000;
constexpr int kThreshold = 50;  // percent

int16_t SampleAt(size_t i) {
  const size_t first = static_cast<size_t>(kBurstAt * kRate);
  if (i < first || i >= first + static_cast<size_t>(kBurstLength * kRate)) return 0;
  return static_cast<int16_t>(std::lround(kAmplitude * std::sin(2 * M_PI * 1000.0 * (i - first) / kRate)));
}

bool WriteInput(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const size_t frames = static_cast<size_t>(kTotal * kRate);
  for (size_t i = 0; i < frames; ++i) {
    const int16_t v = SampleAt(i);
    uint8_t frame[4] = {0, 0, 0, 0};
    WriteLE16(frame, static_cast<uint16_t>(v));
    std::fwrite(frame, 1, 4, f);
  }
  return std::fclose(f) == 0;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  const size_t i = std::min(v.size() - 1, static_cast<size_t>(std::ceil(p * v.size())) - 1);
  return v[i];
}

}  // namespace

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  setenv("SDL_AUDIODRIVER", "disk", 1);
  char pattern[] = "/tmp/qel_vk_bench_XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string input = std::string(pattern) + "/burst.raw";
  if (!WriteInput(input)) return 1;
  setenv("SDL_DISKAUDIOFILEIN", input.c_str(), 1);
  setenv("SDL_DISKAUDIOFILE", (std::string(pattern) + "/out.raw").c_str(), 1);

  // The detector alone.
  qel::CVoiceKeyChannel channel;
  channel.SetRate(kRate, 1000);
  const int level = kThreshold * 32767 / 100;
  size_t crossing = 0;
  for (size_t i = 0; i < static_cast<size_t>(kTotal * kRate); ++i) {
    channel.Feed(SampleAt(i));
    if (channel.Level() >= level) {
      crossing = i;
      break;
    }
  }
  const double detectorMs = (static_cast<double>(crossing) - kBurstAt * kRate) * 1000.0 / kRate;

  qel::EnumSoundDevices();
  std::vector<double> latencies;
  int missed = 0;
  for (int run = 0; run < runs; ++run) {
    qel::CVoiceKey key;
    key.SetThreshold(kThreshold);
    if (!key.Init(-1)) return 1;
    const auto start = Clock::now();
    if (!key.Start()) return 1;
    Clock::time_point hit{};
    while (Clock::now() - start < std::chrono::seconds(3)) {
      if (key.Bits() & 1u) {
        hit = Clock::now();
        break;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    key.Release();
    if (hit == Clock::time_point{}) {
      ++missed;
      continue;
    }
    latencies.push_back(std::chrono::duration<double, std::milli>(hit - start).count() - kBurstAt * 1000.0);
  }
  qel::ShutdownSound();
  std::filesystem::remove_all(pattern);

  std::printf("voice key: 1 kHz burst at %.0f %% of full scale, threshold %d %%, %d runs\n", kAmplitude * 100 / 32767,
              kThreshold, runs);
  std::printf("detector alone: %.3f ms (%zu samples after the burst's start)\n", detectorMs,
              crossing - static_cast<size_t>(kBurstAt * kRate));
  if (latencies.empty()) {
    std::printf("no trigger in any run\n");
    return 1;
  }
  std::printf("end to end (burst position in the input -> bit 0), ms: min %.2f  median %.2f  p99 %.2f  max %.2f",
              *std::min_element(latencies.begin(), latencies.end()), Percentile(latencies, 0.5),
              Percentile(latencies, 0.99), *std::max_element(latencies.begin(), latencies.end()));
  std::printf("  (missed %d)\n", missed);
  return 0;
}
