// The two threads of a run for real: the beat on a thread of its own, the
// events handled on this one, with no lock between them. Run under
// ThreadSanitizer, this shows that the machine's shared words are atomics.
#include <gtest/gtest.h>

#include <thread>

#include "engine/run/tests/RunTestRig.h"

namespace qel {

using namespace test;

TEST(RunThreads, PartRunsWithTheBeatOnItsOwnThread) {
  RunRig rig;
  rig.Words().TaskIntLow = rig.Words().TaskIntHigh = 120;
  rig.Words().TaskSDLow = rig.Words().TaskSDHigh = 60;
  rig.Words().TaskVRLow = 20;
  rig.Words().TaskVRHigh = 400;
  rig.Words().TaskFlags = kTaskFlagExtraWarning;
  rig.Words().TaskFbk = kFeedbackAudio;
  rig.m_script.startDelay = 30;
  // Alternating hits and correct rejections; a false alarm now and then.
  std::vector<std::string> codes;
  for (int i = 0; i < 40; ++i) codes.push_back(i % 2 ? "N1" : "T1");
  rig.m_script.otherTrials = TrialScript{80, 30, 1};
  for (int i = 0; i < 40; ++i) rig.m_script.trials.push_back(i % 2 ? TrialScript{-1, 0, 0} : TrialScript{80, 30, 1});
  rig.m_script.trials[5] = TrialScript{80, 30, 1};
  rig.SetTrials(codes);
  rig.m_pumpEvents = false;
  ASSERT_TRUE(rig.Start());

  // The beat waits until each posted event has been taken up and then
  // overlaps the handler by at most a few beats, so the threads really run
  // side by side while the virtual clock stays close to the handlers.
  std::atomic<bool> done{false};
  std::atomic<bool> handling{false};
  std::atomic<uint64_t> started{0};
  std::thread beat([&] {
    uint64_t seen = 0;
    int overlapped = 0;
    for (uint32_t ms = 0; ms < 200000 && !done.load();) {
      if (rig.m_sink.Size() > 0) {
        std::this_thread::yield();
        continue;
      }
      if (handling.load()) {
        const uint64_t h = started.load();
        if (h != seen) {
          seen = h;
          overlapped = 0;
        }
        if (overlapped >= 3) {
          std::this_thread::yield();
          continue;
        }
        ++overlapped;
      }
      rig.m_source.RunMs(1);
      ++ms;
    }
  });
  int32_t code;
  intptr_t lParam;
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (!done.load() && std::chrono::steady_clock::now() < limit) {
    if (!rig.m_sink.WaitPop(&code, &lParam, 50)) continue;
    handling.store(true);
    started.fetch_add(1);
    if (rig.m_machine->OnRunEvent(code, lParam) == RunEventAction::kEndRun) done.store(true);
    handling.store(false);
  }
  done.store(true);
  beat.join();
  rig.m_machine->Stop();

  const std::vector<Record> records = rig.Records();
  ASSERT_EQ(records.size(), 40u);
  int hits = 0, rejections = 0, falseAlarms = 0;
  for (const Record& r : records) {
    hits += r.category == kCatHit;
    rejections += r.category == kCatCorrectRejection;
    falseAlarms += r.category == kCatFalseAlarm;
  }
  EXPECT_EQ(hits, 20);
  EXPECT_EQ(rejections, 19);
  EXPECT_EQ(falseAlarms, 1);
  EXPECT_EQ(rig.m_script.Calls(kCmdFeedbackOn).size(), 1u);
}

}  // namespace qel
