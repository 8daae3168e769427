// Waits, keys and beeps on the host's virtual clock.
#include <gtest/gtest.h>

#include <vector>

#include "taskfw/tests/core/CoreTask.h"

namespace qel {

namespace {

class Services : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_b.InitAndSetup()); }
  BoundTask m_b;
};

TEST_F(Services, BeepTrainOfThree) {
  m_b.host.m_now = 1000;
  m_b.task.BeepTrain(3);
  ASSERT_EQ(m_b.host.m_tones.size(), 3u);
  const int expected[] = {1000, 900, 810};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m_b.host.m_tones[i].frequency, expected[i]);
    EXPECT_EQ(m_b.host.m_tones[i].start, 1000u + 300u * i) << "one tone every 300 ms";
    EXPECT_EQ(m_b.host.m_tones[i].stop - m_b.host.m_tones[i].start, 200u);
  }
  EXPECT_EQ(m_b.host.m_now, 1900u);
  EXPECT_TRUE(m_b.host.Called("MakeTone 1000 22050 2"));
  EXPECT_EQ(m_b.host.CountCalls("PlaySound 1"), 3) << "the one-period tone loops";
  EXPECT_EQ(m_b.host.CountCalls("StopSound"), 3);
}

TEST_F(Services, BeepTrainStopsBelow100Hz) {
  m_b.task.BeepTrain(30);
  ASSERT_EQ(m_b.host.m_tones.size(), 23u);
  EXPECT_EQ(m_b.host.m_tones[3].frequency, 729);
  EXPECT_EQ(m_b.host.m_tones[4].frequency, 657);
  EXPECT_EQ(m_b.host.m_tones.back().frequency, 103);
}

TEST_F(Services, BeepTrainOfNothing) {
  m_b.task.BeepTrain(0);
  m_b.task.BeepTrain(-4);
  EXPECT_TRUE(m_b.host.m_tones.empty());
  EXPECT_EQ(m_b.host.m_now, 0u);
}

TEST_F(Services, WaitKeyUntilTheLimit) {
  m_b.host.m_now = 500;
  EXPECT_EQ(m_b.task.WaitKeyUntil(1500), 0);
  EXPECT_EQ(m_b.host.m_now, 1500u);
  for (uint32_t ms : m_b.host.m_sleeps) EXPECT_EQ(ms, 1u);
}

TEST_F(Services, WaitKeyEndsAtAKey) {
  m_b.host.m_spaceKey = [](uint32_t t) { return t >= 120 ? kScanSpace : 0; };
  EXPECT_EQ(m_b.task.WaitKeyUntil(1000), kScanSpace);
  EXPECT_EQ(m_b.host.m_now, 120u);
  m_b.host.m_spaceKey = [](uint32_t t) { return t >= 130 ? kScanEscape : 0; };
  EXPECT_EQ(m_b.task.WaitKeyUntil(1000), kScanEscape);
  EXPECT_EQ(m_b.host.m_now, 130u);
}

TEST_F(Services, WaitKeyWithTheLimitPassedPollsOnce) {
  m_b.host.m_now = 2000;
  EXPECT_EQ(m_b.task.WaitKeyUntil(1000), 0);
  EXPECT_TRUE(m_b.host.m_sleeps.empty());
  m_b.host.m_spaceKey = [](uint32_t) { return kScanSpace; };
  EXPECT_EQ(m_b.task.WaitKeyUntil(1000), kScanSpace) << "a key already down still counts";
}

TEST_F(Services, PollKey) {
  m_b.host.m_spaceKey = [](uint32_t) { return kScanEscape; };
  EXPECT_EQ(m_b.task.PollKey(), 1);
  m_b.host.m_spaceKey = [](uint32_t) { return kScanSpace; };
  EXPECT_EQ(m_b.task.PollKey(), 57);
  m_b.host.m_spaceKey = [](uint32_t) { return 30; };
  EXPECT_EQ(m_b.task.PollKey(), 0);
}

TEST_F(Services, HostForwards) {
  m_b.host.m_now = 4321;
  EXPECT_EQ(m_b.task.GetRunTime(), 4321u);
  m_b.host.m_spaceChange = 57;
  EXPECT_EQ(m_b.task.WaitSpaceChange(), 57);
  EXPECT_TRUE(m_b.task.Present());
  EXPECT_TRUE(m_b.host.Called("Present 1"));
  CDC* dc = m_b.host.SurfaceGetDC(kSurfaceBack);
  EXPECT_TRUE(m_b.task.ReleaseBackDC(dc));
  m_b.task.DrawCentreCross(dc, 0x00FF00);
  EXPECT_TRUE(m_b.host.Called("DrawCrossCentred 7 65280 2")) << "sizes 14, 48, 14 before a screen set-up";
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
