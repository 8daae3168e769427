// Cost of one beat of the trial state machine (and of the event handling
// that follows it) over a long part on the virtual clock: a 600-trial part
// with warnings, responses, releases and feedback. Prints the mean, the
// 99th percentile and the largest time per beat.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/run/tests/RunTestRig.h"

namespace qel {

using namespace test;

}  // namespace qel

using namespace qel;

int main() {
  RunRig rig;
  rig.Words().TaskFlags = kTaskFlagExtraWarning;
  rig.Words().TaskFbk = kFeedbackAudio;
  rig.Words().TaskIntLow = 300;
  rig.Words().TaskIntHigh = 900;
  rig.Words().TaskIntType = kIntervalRandom;
  rig.Words().TaskVRHigh = 700;
  rig.m_script.startDelay = 200;
  std::vector<std::string> codes;
  for (int i = 0; i < 600; ++i) {
    codes.push_back(i % 3 ? "N1" : "T1");
    rig.m_script.trials.push_back(i % 5 ? TrialScript{150 + i % 200, 40, 1} : TrialScript{-1, 0, 0});
  }
  rig.SetTrials(codes);
  rig.m_pumpEvents = false;
  if (!rig.Start()) return 1;

  std::vector<double> beatUs;
  std::vector<double> handlerUs;
  using Clock = std::chrono::steady_clock;
  while (!rig.m_ended && rig.Now() < 3'000'000) {
    const auto t0 = Clock::now();
    rig.m_source.RunMs(1);
    const auto t1 = Clock::now();
    const bool had = rig.m_sink.Size() > 0;
    rig.Pump();
    const auto t2 = Clock::now();
    beatUs.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    if (had) handlerUs.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
  }
  auto report = [](const char* what, std::vector<double> v) {
    if (v.empty()) return;
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    std::printf("%-22s n=%zu mean=%.3f us p99=%.3f us max=%.3f us\n", what, v.size(), sum / v.size(),
                v[v.size() * 99 / 100], v.back());
  };
  std::printf("part ended: %s, %u records, %u ms of run time\n", rig.m_ended ? "yes" : "no",
              rig.m_machine->GetResponseCount(), rig.Now());
  report("beat (timer thread)", beatUs);
  report("events of a beat (UI)", handlerUs);
  return rig.m_ended ? 0 : 1;
}
