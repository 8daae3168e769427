// The voice key's beat thread: starts once, stops by joining, and can be
// told to stop from inside its own callback and started again afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "engine/sound/voicekey/PeriodicTimer.h"

namespace qel {

namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::atomic<int>& count, int n) {
  for (int i = 0; i < 5000 && count.load() < n; ++i) std::this_thread::sleep_for(1ms);
  return count.load() >= n;
}

TEST(PeriodicTimer, BeatsUntilStopAndNoneAfterIt) {
  CPeriodicTimer timer;
  std::atomic<int> beats{0};
  ASSERT_TRUE(timer.Start(1000, [&] { beats.fetch_add(1); }));
  EXPECT_TRUE(timer.IsRunning());
  EXPECT_FALSE(timer.Start(1000, [] {})) << "already running";
  ASSERT_TRUE(WaitFor(beats, 5));
  timer.Stop();
  EXPECT_FALSE(timer.IsRunning());
  const int after = beats.load();
  std::this_thread::sleep_for(10ms);
  EXPECT_EQ(beats.load(), after) << "no beat once Stop has returned";
}

TEST(PeriodicTimer, RefusesWhatCannotBeat) {
  CPeriodicTimer timer;
  EXPECT_FALSE(timer.Start(0, [] {}));
  EXPECT_FALSE(timer.Start(1000, nullptr));
  EXPECT_FALSE(timer.IsRunning());
  timer.Stop();  // nothing to stop
}

TEST(PeriodicTimer, StopFromInsideTheCallbackThenStartAgain) {
  CPeriodicTimer timer;
  std::atomic<int> beats{0};
  std::atomic<bool> restartRefused{false};
  ASSERT_TRUE(timer.Start(1000, [&] {
    if (beats.fetch_add(1) == 2) {
      timer.Stop();
      restartRefused = !timer.Start(1000, [] {});
    }
  }));
  ASSERT_TRUE(WaitFor(beats, 3));
  std::this_thread::sleep_for(10ms);
  EXPECT_EQ(beats.load(), 3) << "the stop asked for inside the callback holds";
  EXPECT_TRUE(restartRefused.load()) << "no start from inside the callback";
  EXPECT_FALSE(timer.IsRunning());

  std::atomic<int> again{0};
  ASSERT_TRUE(timer.Start(1000, [&] { again.fetch_add(1); }));
  EXPECT_TRUE(WaitFor(again, 3));
  timer.Stop();
}

}  // namespace

}  // namespace qel
