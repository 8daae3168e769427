#include <gtest/gtest.h>

#include <vector>

#include "editors/IntervalList.h"

namespace qel {
namespace {

// Response words: bits 0-1 the keys down after the event, bits 2-3 the keys that changed.
constexpr int32_t kLeftDown = 0x5;   // left pressed
constexpr int32_t kLeftUp = 0x4;     // left released
constexpr int32_t kRightDown = 0xA;  // right pressed
constexpr int32_t kRightUp = 0x8;    // right released

struct Event {
  int32_t at;  // absolute ms
  int32_t word;
};

// A list of one channel from events at absolute times.
CIntervalList Stream(const std::vector<Event>& events, uint32_t mask) {
  std::vector<int32_t> words;
  std::vector<int32_t> durations;
  int32_t before = 0;
  for (const Event& e : events) {
    words.push_back(e.word);
    durations.push_back(e.at - before);
    before = e.at;
  }
  CIntervalList list;
  list.Build(static_cast<int>(words.size()), words.data(), durations.data(), mask);
  return list;
}

struct Span {
  int32_t onset, offset, period;
  uint8_t flag;
};

void ExpectSpans(const CIntervalList& list, const std::vector<Span>& want, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(list.GetCount(), static_cast<int>(want.size()));
  for (size_t i = 0; i < want.size(); ++i) {
    const int k = static_cast<int>(i);
    EXPECT_EQ(list.GetOnset(k), want[i].onset) << i;
    EXPECT_EQ(list.GetOffset(k), want[i].offset) << i;
    EXPECT_EQ(list.GetPeriod(k), want[i].period) << i;
    EXPECT_EQ(list.GetFlag(k), want[i].flag) << i;
  }
}

TEST(OverlapArithmetic, TableOfSpans) {
  struct Case {
    const char* what;
    int32_t a0, a1, b0, b1;
    int32_t length, low, high, percent;
  };
  const Case cases[] = {
      {"half overlap", 0, 100, 50, 150, 50, 50, 100, 50},
      {"spans that only touch", 0, 100, 100, 200, 0, 0, 0, 0},
      {"empty span a", 50, 50, 0, 100, 0, 0, 0, 0},
      {"empty span b", 0, 100, 70, 70, 0, 0, 0, 0},
      {"reversed span", 100, 0, 0, 100, 0, 0, 0, 0},
      {"apart", 0, 10, 20, 30, 0, 0, 0, 0},
      {"40 ms of a 100 and a 60 ms span", 0, 100, 60, 120, 40, 60, 100, 50},
      {"contained", 0, 100, 30, 70, 40, 30, 70, 57},
      {"identical", 10, 30, 10, 30, 20, 10, 30, 100},
      {"percent truncates", 0, 3, 1, 4, 2, 1, 3, 66},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GetOverlapLength(c.a0, c.a1, c.b0, c.b1), c.length);
    int32_t low = -7, high = -7, percent = -7;
    EXPECT_EQ(GetOverlapPercent(c.a0, c.a1, c.b0, c.b1, low, high, percent), c.length);
    EXPECT_EQ(low, c.low);
    EXPECT_EQ(high, c.high);
    EXPECT_EQ(percent, c.percent);
    int32_t alone = -7;
    EXPECT_EQ(GetOverlapPercent(c.a0, c.a1, c.b0, c.b1, alone), c.length);
    EXPECT_EQ(alone, c.percent);
  }
}

TEST(IntervalBuild, TableOfStreams) {
  struct Case {
    const char* what;
    std::vector<int32_t> words, durations;
    uint32_t mask;
    std::vector<Span> want;
    int32_t time;
  };
  const Case cases[] = {
      {"entries of the other channel only add their time (left)", {5, 10, 4, 8}, {100, 50, 20, 30}, 1,
       {{100, 170, 0, 1}}, 200},
      {"entries of the other channel only add their time (right)", {5, 10, 4, 8}, {100, 50, 20, 30}, 2,
       {{150, 200, 0, 2}}, 200},
      {"two presses: periods 0 and 300", {5, 4, 5, 4}, {100, 80, 220, 70}, 1,
       {{100, 180, 0, 1}, {400, 470, 300, 1}}, 470},
      {"a release without a press is passed over", {4, 5, 4, 4}, {50, 50, 50, 50}, 1, {{100, 150, 0, 1}}, 200},
      {"a press never released gives no interval", {5, 4, 5}, {10, 10, 10}, 1, {{10, 20, 0, 1}}, 30},
      {"no entries", {}, {}, 1, {}, 0},
  };
  for (const Case& c : cases) {
    CIntervalList list;
    const int n = list.Build(static_cast<int>(c.words.size()), c.words.empty() ? nullptr : c.words.data(),
                             c.durations.empty() ? nullptr : c.durations.data(), c.mask);
    EXPECT_EQ(n, static_cast<int>(c.want.size())) << c.what;
    EXPECT_EQ(list.GetMask(), c.mask) << c.what;
    EXPECT_EQ(list.GetTime(), c.time) << c.what;
    ExpectSpans(list, c.want, c.what);
  }
}

TEST(IntervalBuild, StopsAtFiveHundredIntervals) {
  std::vector<int32_t> words, durations;
  for (int i = 0; i < 501; ++i) {
    words.insert(words.end(), {kLeftDown, kLeftUp});
    durations.insert(durations.end(), {10, 10});
  }
  CIntervalList list;
  EXPECT_EQ(list.Build(static_cast<int>(words.size()), words.data(), durations.data(), 1), 500);
  EXPECT_EQ(list.GetOffset(499), 500 * 20);
  // Reading stopped at the 500th interval's release: the 501st's time is not added.
  EXPECT_EQ(list.GetTime(), 500 * 20);
}

TEST(IntervalQueries, FindClearCount) {
  CIntervalList list = Stream({{0, kLeftDown}, {100, kLeftUp}, {200, kLeftDown}, {260, kLeftUp},
                               {400, kLeftDown}, {500, kLeftUp}},
                              1);
  ASSERT_EQ(list.GetCount(), 3);
  int skipped = -1;
  EXPECT_EQ(list.FindNext(1, skipped, true), 1);
  EXPECT_EQ(skipped, 0);
  EXPECT_EQ(list.FindNext(501, skipped, false), -1);

  EXPECT_EQ(list.FindFirstOverlap(90, 210), 0);
  EXPECT_EQ(list.FindFirstOverlap(100, 200), -1);  // touching ends do not overlap
  // 20 % exactly is not above 20 %: span 80-120 meets [0,100) by 20 of a mean of 70 (28 %)
  // and [0,100) against [80,180): 20 of 100 = 20 %.
  EXPECT_EQ(list.CountOverlapping(80, 180, 20), 0);
  EXPECT_EQ(list.CountOverlapping(80, 180, 19), 1);

  EXPECT_EQ(list.ClearInSpan(250, 450), 2);
  EXPECT_TRUE(list.IsValid(0));
  EXPECT_FALSE(list.IsValid(1));
  EXPECT_FALSE(list.IsValid(2));
  EXPECT_EQ(list.FindNext(1, skipped, true), -1);
  EXPECT_EQ(skipped, 2);
  // Flags are not looked at by the overlap queries.
  EXPECT_EQ(list.FindFirstOverlap(450, 460), 2);
  EXPECT_EQ(list.CountOverlapping(400, 500, 0), 1);
}

TEST(IntervalMerge, AlternatingTable) {
  struct Case {
    const char* what;
    std::vector<Event> left, right;
    int32_t percent;
    std::vector<Span> want;
    std::vector<bool> leftValid;
  };
  const Case cases[] = {
      {"clean turns",
       {{0, kLeftDown}, {50, kLeftUp}, {200, kLeftDown}, {250, kLeftUp}},
       {{100, kRightDown}, {150, kRightUp}, {300, kRightDown}, {350, kRightUp}},
       0,
       {{0, 50, 1, 1}, {100, 150, 100, 2}, {200, 250, 100, 1}, {300, 350, 100, 2}},
       {true, true}},
      {"the same hand twice keeps the first and drops the second",
       {{0, kLeftDown}, {50, kLeftUp}, {100, kLeftDown}, {150, kLeftUp}},
       {{300, kRightDown}, {350, kRightUp}},
       0,
       {{0, 50, 1, 1}, {300, 350, 200, 2}},
       {true, false}},
      {"an overlapped tap restarts the sequence",
       {{0, kLeftDown}, {50, kLeftUp}, {200, kLeftDown}, {300, kLeftUp}, {500, kLeftDown}, {550, kLeftUp}},
       {{100, kRightDown}, {150, kRightUp}, {250, kRightDown}, {350, kRightUp}, {700, kRightDown}, {750, kRightUp}},
       0,
       // the taps at 200 and 250 overlap: both invalid; 500 restarts, 700 follows it
       {{0, 50, 1, 1}, {100, 150, 100, 2}, {700, 750, 200, 2}},
       {true, false, true}},
      {"overlap within the allowed share keeps both",
       {{0, kLeftDown}, {100, kLeftUp}},
       {{90, kRightDown}, {190, kRightUp}},
       20,
       {{0, 100, 1, 1}, {90, 190, 90, 2}},
       {true}},
  };
  for (const Case& c : cases) {
    CIntervalList a = Stream(c.left, 1);
    CIntervalList b = Stream(c.right, 2);
    CIntervalList alt;
    alt.BuildAlternating(a, b, c.percent);
    ExpectSpans(alt, c.want, c.what);
    for (size_t i = 0; i < c.leftValid.size(); ++i) {
      EXPECT_EQ(a.IsValid(static_cast<int>(i)), c.leftValid[i]) << c.what << " left " << i;
    }
  }
}

TEST(IntervalMerge, SimultaneousTable) {
  struct Case {
    const char* what;
    std::vector<Event> left, right;
    int32_t percent;
    std::vector<Span> want;
  };
  const Case cases[] = {
      {"two joint taps",
       {{0, kLeftDown}, {100, kLeftUp}, {300, kLeftDown}, {400, kLeftUp}},
       {{10, kRightDown}, {110, kRightUp}, {320, kRightDown}, {420, kRightUp}},
       0,
       {{5, 110, 6, 3}, {310, 420, 305, 3}}},
      {"a span where one hand tapped twice is dropped; the next only restarts the reference",
       {{0, kLeftDown}, {100, kLeftUp}, {300, kLeftDown}, {400, kLeftUp}, {600, kLeftDown}, {700, kLeftUp},
        {900, kLeftDown}, {1000, kLeftUp}},
       {{0, kRightDown}, {100, kRightUp}, {300, kRightDown}, {340, kRightUp}, {360, kRightDown}, {400, kRightUp},
        {600, kRightDown}, {700, kRightUp}, {900, kRightDown}, {1000, kRightUp}},
       0,
       // the left tap at 300 meets two right taps: dropped with them; 600 restarts; 900 counts
       {{0, 100, 1, 3}, {900, 1000, 300, 3}}},
      {"too little overlap for the demanded share",
       {{0, kLeftDown}, {100, kLeftUp}},
       {{50, kRightDown}, {150, kRightUp}},
       60,
       {}},
  };
  for (const Case& c : cases) {
    CIntervalList a = Stream(c.left, 1);
    CIntervalList b = Stream(c.right, 2);
    CIntervalList sync;
    sync.BuildSimultaneous(a, b, c.percent);
    ExpectSpans(sync, c.want, c.what);
  }
}

}  // namespace
}  // namespace qel
