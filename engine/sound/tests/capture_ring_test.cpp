// The capture ring: reads copy what arrived since the last read, in order,
// across the end of the ring; too small a destination skips the rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/sound/capture/CaptureRing.h"

namespace qel {

namespace {

std::vector<uint8_t> Pattern(size_t n, size_t from) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>((from + i) * 31 + ((from + i) >> 8));
  return v;
}

class Ring : public testing::Test {
 protected:
  void Write(size_t n, int64_t arrivedNs = 0) {
    const auto v = Pattern(n, m_written);
    m_ring.Write(v.data(), v.size(), arrivedNs);
    m_written += n;
  }
  CCaptureRing m_ring;
  size_t m_written = 0;
  std::vector<uint8_t> m_dest = std::vector<uint8_t>(CCaptureRing::kBytes + 16, 0xEE);
};

TEST_F(Ring, SecondReadWithoutNewDataGivesNothing) {
  uint32_t frames = 99;
  EXPECT_FALSE(m_ring.Read(m_dest.data(), 16000, &frames));
  EXPECT_EQ(frames, 0u);
  Write(400);
  EXPECT_TRUE(m_ring.Read(m_dest.data(), 16000, &frames));
  EXPECT_EQ(frames, 100u);
  EXPECT_FALSE(m_ring.Read(m_dest.data(), 16000, &frames));
  EXPECT_EQ(frames, 0u);
  EXPECT_FALSE(m_ring.Read(nullptr, 16000, &frames));
}

TEST_F(Ring, SmallDestinationTakesWhatFitsAndTheRestIsSkipped) {
  Write(400);
  uint32_t frames = 0;
  ASSERT_TRUE(m_ring.Read(m_dest.data(), 100, &frames));
  EXPECT_EQ(frames, 25u);
  EXPECT_EQ(std::vector<uint8_t>(m_dest.begin(), m_dest.begin() + 100), Pattern(100, 0));
  EXPECT_EQ(m_dest[100], 0xEE) << "nothing past the capacity is written";
  EXPECT_FALSE(m_ring.Read(m_dest.data(), 100, &frames)) << "the rest was skipped";
  Write(8);
  ASSERT_TRUE(m_ring.Read(m_dest.data(), 100, &frames));
  EXPECT_EQ(frames, 2u);
  EXPECT_EQ(std::vector<uint8_t>(m_dest.begin(), m_dest.begin() + 8), Pattern(8, 400));
}

TEST_F(Ring, ReadAcrossTheEndCopiesBothPartsInOrder) {
  Write(60000);
  uint32_t frames = 0;
  ASSERT_TRUE(m_ring.Read(m_dest.data(), CCaptureRing::kBytes, &frames));
  EXPECT_EQ(frames, 15000u);
  Write(8000);  // 4000 bytes up to the end, 4000 from the start
  ASSERT_TRUE(m_ring.Read(m_dest.data(), 16000, &frames));
  EXPECT_EQ(frames, 2000u);
  EXPECT_EQ(std::vector<uint8_t>(m_dest.begin(), m_dest.begin() + 8000), Pattern(8000, 60000));
}

TEST_F(Ring, CapacityEndingInTheSecondPart) {
  Write(62000);
  uint32_t frames = 0;
  ASSERT_TRUE(m_ring.Read(m_dest.data(), CCaptureRing::kBytes, &frames));
  Write(6000);  // 2000 at the end, 4000 from the start
  std::fill(m_dest.begin(), m_dest.end(), 0xEE);
  ASSERT_TRUE(m_ring.Read(m_dest.data(), 3000, &frames));
  EXPECT_EQ(frames, 750u);
  EXPECT_EQ(std::vector<uint8_t>(m_dest.begin(), m_dest.begin() + 3000), Pattern(3000, 62000));
  EXPECT_EQ(m_dest[3000], 0xEE);
  EXPECT_FALSE(m_ring.Read(m_dest.data(), 3000, &frames));
}

TEST_F(Ring, AReaderMoreThanARingBehindGetsTheNewestRingInOrder) {
  Write(70000);
  uint32_t frames = 0;
  ASSERT_TRUE(m_ring.Read(m_dest.data(), CCaptureRing::kBytes, &frames));
  EXPECT_EQ(frames, CCaptureRing::kBytes / 4);
  EXPECT_EQ(std::vector<uint8_t>(m_dest.begin(), m_dest.begin() + CCaptureRing::kBytes),
            Pattern(CCaptureRing::kBytes, 6000));
}

TEST_F(Ring, CaptureOnceStopsWhenTheRingIsFull) {
  m_ring.Reset(false);
  Write(50000);
  EXPECT_FALSE(m_ring.Ended());
  Write(20000);
  EXPECT_TRUE(m_ring.Ended());
  EXPECT_EQ(m_ring.Written(), CCaptureRing::kBytes);
  uint32_t frames = 0;
  ASSERT_TRUE(m_ring.Read(m_dest.data(), CCaptureRing::kBytes, &frames));
  EXPECT_EQ(frames, CCaptureRing::kBytes / 4);
  EXPECT_EQ(std::vector<uint8_t>(m_dest.begin(), m_dest.begin() + CCaptureRing::kBytes),
            Pattern(CCaptureRing::kBytes, 0));
  m_ring.Reset(true);
  EXPECT_FALSE(m_ring.Ended());
  EXPECT_FALSE(m_ring.Read(m_dest.data(), 100, &frames));
}

// A frame's capture time is its write's hand-over time less the frames
// after it in that write at 8000 Hz (125 us a frame); reads tell the number
// of their first frame, also after an overrun skipped frames.
TEST_F(Ring, FramesAreTimedFromTheirWritesHandOver) {
  constexpr int64_t kFrameNs = 125'000;
  constexpr int64_t kFirstNs = 1'000'000'000;
  constexpr int64_t kSecondNs = 1'008'000'000;
  int64_t ns = 0;
  EXPECT_FALSE(m_ring.FrameTimeNs(0, &ns)) << "nothing arrived";
  Write(64 * 4, kFirstNs);
  Write(64 * 4, kSecondNs);
  const struct {
    uint64_t frame;
    int64_t ns;
  } frames[] = {{63, kFirstNs}, {0, kFirstNs - 63 * kFrameNs}, {64, kSecondNs - 63 * kFrameNs}, {127, kSecondNs}};
  for (const auto& f : frames) {
    SCOPED_TRACE(f.frame);
    ASSERT_TRUE(m_ring.FrameTimeNs(f.frame, &ns));
    EXPECT_EQ(ns, f.ns);
  }
  EXPECT_FALSE(m_ring.FrameTimeNs(128, &ns)) << "not yet arrived";

  uint32_t count = 0;
  uint64_t first = 99;
  ASSERT_TRUE(m_ring.Read(m_dest.data(), 100 * 4, &count, &first));
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(count, 100u);
  Write(8 * 4, kSecondNs + kFrameNs * 8);
  ASSERT_TRUE(m_ring.Read(m_dest.data(), 16000, &count, &first));
  EXPECT_EQ(first, 128u) << "the rest of the first read was skipped";
  EXPECT_EQ(count, 8u);

  // Many small writes: only the latest writes keep their times.
  for (size_t i = 0; i < CCaptureRing::kWriteStamps; ++i) Write(4, kSecondNs + static_cast<int64_t>(i));
  EXPECT_FALSE(m_ring.FrameTimeNs(130, &ns)) << "its write's time is gone";
  ASSERT_TRUE(m_ring.FrameTimeNs(136, &ns));
  EXPECT_EQ(ns, kSecondNs);
  // An overrun: the read starts at the oldest frame still held.
  Write(CCaptureRing::kBytes + 40, 2'000'000'000);
  ASSERT_TRUE(m_ring.Read(m_dest.data(), 16000, &count, &first));
  EXPECT_EQ(first, m_ring.Written() / 4 - CCaptureRing::kBytes / 4);
  ASSERT_TRUE(m_ring.FrameTimeNs(first, &ns));
  EXPECT_EQ(ns, 2'000'000'000 - int64_t{CCaptureRing::kBytes / 4 - 1} * kFrameNs);

  m_ring.Reset(true);
  EXPECT_FALSE(m_ring.FrameTimeNs(0, &ns)) << "a reset forgets the times";
}

}  // namespace

}  // namespace qel
