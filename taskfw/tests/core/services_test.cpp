// Waits, keys and beeps on the host's virtual clock.
#include <gtest/gtest.h>

#include <vector>

#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

class Services : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(b.InitAndSetup()); }
  BoundTask b;
};

TEST_F(Services, BeepTrainOfThree) {
  b.host.now = 1000;
  b.task.BeepTrain(3);
  ASSERT_EQ(b.host.tones.size(), 3u);
  const int expected[] = {1000, 900, 810};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(b.host.tones[i].frequency, expected[i]);
    EXPECT_EQ(b.host.tones[i].start, 1000u + 300u * i) << "one tone every 300 ms";
    EXPECT_EQ(b.host.tones[i].stop - b.host.tones[i].start, 200u);
  }
  EXPECT_EQ(b.host.now, 1900u);
  EXPECT_TRUE(b.host.Called("MakeTone 1000 22050 2"));
  EXPECT_EQ(b.host.CountCalls("PlaySound 1"), 3) << "the one-period tone loops";
  EXPECT_EQ(b.host.CountCalls("StopSound"), 3);
}

TEST_F(Services, BeepTrainStopsBelow100Hz) {
  b.task.BeepTrain(30);
  ASSERT_EQ(b.host.tones.size(), 23u);
  EXPECT_EQ(b.host.tones[3].frequency, 729);
  EXPECT_EQ(b.host.tones[4].frequency, 657);
  EXPECT_EQ(b.host.tones.back().frequency, 103);
}

TEST_F(Services, BeepTrainOfNothing) {
  b.task.BeepTrain(0);
  b.task.BeepTrain(-4);
  EXPECT_TRUE(b.host.tones.empty());
  EXPECT_EQ(b.host.now, 0u);
}

TEST_F(Services, WaitKeyUntilTheLimit) {
  b.host.now = 500;
  EXPECT_EQ(b.task.WaitKeyUntil(1500), 0);
  EXPECT_EQ(b.host.now, 1500u);
  for (uint32_t ms : b.host.sleeps) EXPECT_EQ(ms, 1u);
}

TEST_F(Services, WaitKeyEndsAtAKey) {
  b.host.spaceKey = [](uint32_t t) { return t >= 120 ? kScanSpace : 0; };
  EXPECT_EQ(b.task.WaitKeyUntil(1000), kScanSpace);
  EXPECT_EQ(b.host.now, 120u);
  b.host.spaceKey = [](uint32_t t) { return t >= 130 ? kScanEscape : 0; };
  EXPECT_EQ(b.task.WaitKeyUntil(1000), kScanEscape);
  EXPECT_EQ(b.host.now, 130u);
}

TEST_F(Services, WaitKeyWithTheLimitPassedPollsOnce) {
  b.host.now = 2000;
  EXPECT_EQ(b.task.WaitKeyUntil(1000), 0);
  EXPECT_TRUE(b.host.sleeps.empty());
  b.host.spaceKey = [](uint32_t) { return kScanSpace; };
  EXPECT_EQ(b.task.WaitKeyUntil(1000), kScanSpace) << "a key already down still counts";
}

TEST_F(Services, PollKey) {
  b.host.spaceKey = [](uint32_t) { return kScanEscape; };
  EXPECT_EQ(b.task.PollKey(), 1);
  b.host.spaceKey = [](uint32_t) { return kScanSpace; };
  EXPECT_EQ(b.task.PollKey(), 57);
  b.host.spaceKey = [](uint32_t) { return 30; };
  EXPECT_EQ(b.task.PollKey(), 0);
}

TEST_F(Services, HostForwards) {
  b.host.now = 4321;
  EXPECT_EQ(b.task.GetRunTime(), 4321u);
  b.host.spaceChange = 57;
  EXPECT_EQ(b.task.WaitSpaceChange(), 57);
  EXPECT_TRUE(b.task.Present());
  EXPECT_TRUE(b.host.Called("Present 1"));
  CDC* dc = b.host.SurfaceGetDC(kSurfaceBack);
  EXPECT_TRUE(b.task.ReleaseBackDC(dc));
  b.task.DrawCentreCross(dc, 0x00FF00);
  EXPECT_TRUE(b.host.Called("DrawCrossCentred 7 65280 2")) << "sizes 14, 48, 14 before a screen set-up";
}

TEST(ServicesUnbound, FailQuietly) {
  CoreTask task;
  EXPECT_EQ(task.WaitKeyUntil(100000), 0);
  EXPECT_EQ(task.PollKey(), 0);
  EXPECT_EQ(task.WaitSpaceChange(), 0);
  EXPECT_EQ(task.GetRunTime(), 0u);
  EXPECT_FALSE(task.ClearBackSurface());
  EXPECT_FALSE(task.Present());
  EXPECT_FALSE(task.ReleaseBackDC(nullptr));
  task.BeepTrain(3);
  task.DrawCentreCross(nullptr, 0);
  int x = 5;
  int y = 6;
  task.MovePointer(x, y);
  EXPECT_EQ(x, 5);
}

TEST(TextHelpers, OnADrawingContext) {
  MemoryDC dc(100, 50);
  CTaskBase::TextOutString(&dc, 3, 4, "Hello");
  EXPECT_EQ(dc.Calls().back(), "TextOut 3 4 Hello");
  int w = -1;
  int h = -1;
  EXPECT_TRUE(CTaskBase::GetTextSize(&dc, "abc", &w, &h));
  EXPECT_EQ(w, 24);
  EXPECT_EQ(h, 16);
  EXPECT_FALSE(CTaskBase::GetTextSize(nullptr, "abc", &w, &h));
  EXPECT_EQ(w, 0);
  CTaskBase::TextOutString(nullptr, 0, 0, "x");
}

}  // namespace

}  // namespace qel
