// Runs the 1 ms beat for a while and reports how late the beats came:
// median, 99th percentile and largest lateness, missed beats, and whether
// the beat thread got real-time scheduling.
//   qel_timer_bench [seconds] [max spin us]   (defaults: 10 s, the beat's own)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "engine/timer/MonotonicTickThread.h"

namespace qel {

namespace {

struct Recorder {
  qel::MonotonicTickThread* source = nullptr;
  std::vector<int64_t> lateness;
  size_t count = 0;
};

void OnBeat(void* context, int64_t scheduledNs) {
  auto* r = static_cast<Recorder*>(context);
  const int64_t now = r->source->NowNs();
  if (r->count < r->lateness.size()) r->lateness[r->count++] = now - scheduledNs;
}

double Us(int64_t ns) { return static_cast<double>(ns) / 1000.0; }

}  // namespace

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int64_t maxSpinNs = argc > 2 ? std::atoll(argv[2]) * 1000 : qel::MonotonicTickThread::kDefaultMaxSpinNs;
  qel::MonotonicTickThread beat(qel::MonotonicTickThread::kDefaultPeriodNs, maxSpinNs);
  Recorder recorder;
  recorder.source = &beat;
  recorder.lateness.assign(static_cast<size_t>(seconds) * 1000 + 1000, 0);
  if (!beat.StartBeats(&OnBeat, &recorder)) {
    std::fprintf(stderr, "Timer not available!\n");
    return 1;
  }
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  beat.StopBeats();
  const qel::MonotonicTickThread::Stats stats = beat.GetStats();

  std::vector<int64_t> v(recorder.lateness.begin(), recorder.lateness.begin() + recorder.count);
  if (v.empty()) {
    std::fprintf(stderr, "no beats\n");
    return 1;
  }
  std::sort(v.begin(), v.end());
  const auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1)))]; };
  std::printf("beats %zu in %d s, missed %llu, SCHED_FIFO %s, spin window %.1f us (max %.1f)\n", v.size(), seconds,
              static_cast<unsigned long long>(stats.missedBeats), stats.realTime ? "yes" : "no", Us(stats.spinNs),
              Us(maxSpinNs));
  std::printf("lateness us: median %.1f  p99 %.1f  p99.9 %.1f  max %.1f\n", Us(at(0.5)), Us(at(0.99)), Us(at(0.999)),
              Us(v.back()));
  return 0;
}
