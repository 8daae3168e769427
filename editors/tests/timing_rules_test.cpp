// The Timing page's rules: names and codes, the description, the check with
// its messages as a table of good and bad timings, and the time line's
// geometry as numbers.
#include <gtest/gtest.h>

#include <climits>

#include "editors/TimingRules.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

namespace {

TimingWords Words(uint32_t sdType, uint32_t sdLow, uint32_t sdHigh, uint32_t control, int32_t vrLow, int32_t vrHigh,
                  uint32_t intType, uint32_t intLow, uint32_t intHigh) {
  TimingWords t;
  t.sdType = sdType;
  t.sdLow = sdLow;
  t.sdHigh = sdHigh;
  t.control = control;
  t.vrLow = static_cast<uint32_t>(vrLow);
  t.vrHigh = static_cast<uint32_t>(vrHigh);
  t.intType = intType;
  t.intLow = intLow;
  t.intHigh = intHigh;
  return t;
}

TEST(TimingNames, TablesAndCodes) {
  EXPECT_EQ(GetSignalDurationName(0), "Variable");
  EXPECT_EQ(GetSignalDurationName(3), "Irrelevant");
  EXPECT_EQ(GetSignalDurationName(4), "?");
  EXPECT_EQ(GetEventsIntervalName(2), "PostKeyRelease");
  EXPECT_EQ(GetEventsIntervalName(3), "?");
  EXPECT_EQ(GetIntervalName(2), "Random");
  EXPECT_EQ(FormatTimingCode(1, 0, 2), "SD_FIX/PRI_RND");
  EXPECT_EQ(FormatTimingCode(3, 1, 1), "SD_IRR/RATE_FIX");
  EXPECT_EQ(FormatTimingCode(0, 2, 0), "SD_VAR/PKRI_VAR");
  EXPECT_EQ(FormatTimingCode(9, 0, 7), "?/PRI_?");
}

TEST(TimingNames, AppliesOnlyWithKeysAndTimingFlags) {
  struct Case {
    uint32_t type, flags;
    bool applies;
  } cases[] = {{0, 0x70, false}, {1, 0, false}, {1, 0x10, true}, {2, 0x20, true}, {0x10001, 0x40, true}, {2, 0x80, false}};
  for (const Case& c : cases) EXPECT_EQ(TimingApplies(c.type, c.flags), c.applies) << c.type << " " << c.flags;
}

TEST(TimingFieldsShown, ByType) {
  struct Case {
    uint32_t sdType, intType;
    bool sdLow, sdHigh, intHigh;
  } cases[] = {{0, 0, false, false, true}, {1, 1, true, false, false}, {2, 2, true, true, true}, {3, 1, false, false, false}};
  for (const Case& c : cases) {
    const TimingFields f = VisibleTimingFields(Words(c.sdType, 0, 0, 0, 0, 0, c.intType, 0, 0));
    EXPECT_EQ(f.sdLow, c.sdLow);
    EXPECT_EQ(f.sdHigh, c.sdHigh);
    EXPECT_TRUE(f.intLow);
    EXPECT_EQ(f.intHigh, c.intHigh);
  }
}

TEST(TimingDescription, Lines) {
  EXPECT_EQ(BuildTimingDescription(Words(1, 300, 300, 0, 100, 1500, 2, 500, 1000)),
            "\\b Signal duration\\b0 :\\tab fixed, 300 ms.\\par "
            "\\b Valid  response\\b0 :\\tab 100..1500 ms\\par "
            "\\b Events interval\\b0 :\\tab post response.\\par "
            "\\tab Random, 500..1000 ms.\\par ");
  EXPECT_EQ(BuildTimingDescription(Words(7, 0, 0, 5, -50, 20, 9, 0, 0)),
            "\\b Signal duration\\b0 :\\tab \\cf1 invalid type\\cf0  7.\\par "
            "\\b Valid  response\\b0 :\\tab -50..20 ms\\par "
            "\\b Events interval\\b0 :\\tab \\cf1 invalid control\\cf0  5.\\par "
            "\\tab \\cf1 Invalid type\\cf0  9.\\par ");
  EXPECT_EQ(BuildTimingDescription(Words(0, 0, 0, 1, 0, 900, 1, 2000, 2000)),
            "\\b Signal duration\\b0 :\\tab variable, until response.\\par "
            "\\b Valid  response\\b0 :\\tab 0..900 ms\\par "
            "\\b Events interval\\b0 :\\tab rate.\\par "
            "\\tab Fixed, 2000 ms.\\par ");
}

TEST(TimingEdits, FixedTypesCarryTheHighValue) {
  QelTaskWords w{};
  w.TaskSDType = kSignalDurationFixed;
  w.TaskIntType = kIntervalRandom;
  ApplyTimingEdit(w, TimingField::kSdLow, 250);
  EXPECT_EQ(w.TaskSDLow, 250u);
  EXPECT_EQ(w.TaskSDHigh, 250u);
  ApplyTimingEdit(w, TimingField::kIntLow, 400);
  EXPECT_EQ(w.TaskIntLow, 400u);
  EXPECT_EQ(w.TaskIntHigh, 0u);  // random: the high value is its own field
  w.TaskIntType = kIntervalFixed;
  ApplyTimingEdit(w, TimingField::kIntLow, 700);
  EXPECT_EQ(w.TaskIntHigh, 700u);
  ApplyTimingEdit(w, TimingField::kVrLow, -100);
  EXPECT_EQ(static_cast<int32_t>(w.TaskVRLow), -100);
  w.TaskSDType = kSignalDurationRandom;
  ApplyTimingEdit(w, TimingField::kSdLow, 100);
  EXPECT_EQ(w.TaskSDHigh, 250u);
}

// Good and bad timings with the expected faults and messages.
struct CheckCase {
  const char* name;
  TimingWords words;
  bool warning;
  bool feedback;
  const char* errorText;
};

TEST(TimingCheck, GoodAndBadTimings) {
  const CheckCase cases[] = {
      {"fixed post response", Words(1, 300, 300, 0, 100, 1500, 1, 1000, 1000), false, false, ""},
      {"variable until response", Words(0, 0, 0, 0, 150, 1200, 2, 800, 1600), false, true, ""},
      {"rate long enough", Words(1, 200, 200, 1, 100, 1000, 1, 2000, 2000), true, true, ""},
      {"signal low above high", Words(2, 600, 300, 0, 100, 1500, 1, 1000, 1000), false, false,
       "\\cf1 Signal duration error\\cf0 : Low > High!\r\n"},
      {"valid responses reversed", Words(1, 200, 200, 0, 600, 300, 1, 1000, 1000), false, false,
       "\\cf1 Valid responses error\\cf0 : Low > High!\r\n"},
      {"interval low above high", Words(1, 200, 200, 0, 100, 900, 2, 900, 500), false, false,
       "\\cf1 Events interval error\\cf0 : Low > High!\r\n"},
      {"rate shorter than the response window", Words(1, 200, 200, 1, 100, 1500, 1, 1000, 1000), false, false,
       "\\cf1 Events interval error!\r\n\\cf0 "},
      {"rate shorter than feedback", Words(1, 200, 200, 1, 100, 1000, 1, 1100, 1100), false, true,
       "\\cf1 Events interval error!\r\n\\cf0 "},
      {"post response, signal longer than the next onset", Words(1, 5000, 5000, 0, 100, 1000, 1, 500, 500), false,
       false, "\\cf1 Events interval error!\r\n\\cf0 "},
      {"two faults in order", Words(2, 600, 300, 0, 600, 300, 1, 100, 100), false, false,
       "\\cf1 Signal duration error\\cf0 : Low > High!\r\n\\cf1 Valid responses error\\cf0 : Low > High!\r\n"},
      // Negative valid-response values are signed, not huge unsigned ones.
      {"negative response start", Words(1, 200, 200, 0, -100, 800, 1, 1000, 1000), false, false, ""},
  };
  for (const CheckCase& c : cases) {
    TimingInput in;
    in.words = c.words;
    in.warning = c.warning;
    in.startDelay = 500;
    in.feedbackOn = c.feedback;
    in.hasResponseKeys = true;
    const TimingCheck check = CheckTiming(in);
    EXPECT_EQ(check.errorText, c.errorText) << c.name;
    EXPECT_EQ(check.AnyError(), *c.errorText != '\0') << c.name;
  }
}

TEST(TimingCheck, TimesOfTheTimeLine) {
  TimingInput in;
  in.words = Words(0, 0, 0, 0, 200, 1000, 2, 500, 1500);
  in.warning = true;
  in.startDelay = 400;
  in.feedbackOn = true;
  const TimingCheck c = CheckTiming(in);
  EXPECT_EQ(c.W, 400);
  EXPECT_EQ(c.vrStart, 600);
  EXPECT_EQ(c.R, 1400);
  EXPECT_EQ(c.F, 1600);
  EXPECT_EQ(c.S, 1400);  // variable: until the window ends
  EXPECT_TRUE(c.hasMark);
  EXPECT_EQ(c.M, 1000);
  EXPECT_EQ(c.I, 1500);
  EXPECT_EQ(c.N, 2900);
  EXPECT_EQ(c.T, 2900);

  in.words = Words(2, 300, 700, 1, 100, 900, 1, 2000, 2000);
  in.warning = false;
  in.feedbackOn = false;
  const TimingCheck r = CheckTiming(in);
  EXPECT_EQ(r.S, 700);
  EXPECT_FALSE(r.hasMark);
  EXPECT_EQ(r.N, 2000);  // rate: from the onset
  EXPECT_EQ(r.T, 900);
}

TEST(TimingCheck, LargeValuesDoNotOverflow) {
  TimingInput in;
  in.words = Words(1, 0x7FFFFFF0u, 0x7FFFFFF0u, 0, 0, INT32_MAX, 1, 0xFFFFFFF0u, 0xFFFFFFF0u);
  in.hasResponseKeys = true;
  const TimingCheck c = CheckTiming(in);
  EXPECT_EQ(c.N, static_cast<int64_t>(INT32_MAX) + 0xFFFFFFF0LL);
  EXPECT_GT(c.T, 0);
  const TimingPicture p = LayoutTimingPicture(in, c, 400, 80);
  ASSERT_TRUE(p.drawn);
  for (const TimingBar& b : p.bars) {
    EXPECT_GE(b.x0, 0) << b.label;
    EXPECT_LE(b.x1, 399) << b.label;
    EXPECT_LE(b.x0, b.x1) << b.label;
  }
}

TEST(TimingPicture, GeometryAsNumbers) {
  TimingInput in;
  // Warning 500, window 200..1000 after it, variable signal, feedback, post response 1000.
  in.words = Words(0, 0, 0, 0, 200, 1000, 1, 1000, 1000);
  in.warning = true;
  in.startDelay = 500;
  in.feedbackOn = true;
  in.hasResponseKeys = true;
  const TimingCheck c = CheckTiming(in);
  ASSERT_EQ(c.T, 2500);
  const TimingPicture p = LayoutTimingPicture(in, c, 502, 80);  // x(t) = 1 + 500 t / 2500
  ASSERT_TRUE(p.drawn);
  EXPECT_FALSE(p.errorBanner);
  EXPECT_EQ(p.axisY, 33);
  struct Expected {
    const char* label;
    int x0, x1, y0, y1;
    uint32_t rgb;
    TimingBar::Row row;
  } expected[] = {
      {"W", 1, 101, 26, 33, 0xBFBFBF, TimingBar::Row::kUpper},
      {"S", 101, 221, 26, 33, 0x00FF00, TimingBar::Row::kUpper},  // 500..1100, mark at 1100
      {"", 221, 301, 26, 33, 0x00BF00, TimingBar::Row::kUpper},   // 1100..1500
      {"R", 141, 221, 34, 41, 0x0000FF, TimingBar::Row::kLower},  // 700..1100
      {"", 221, 301, 34, 41, 0x0000BF, TimingBar::Row::kLower},
      {"F", 301, 341, 34, 41, 0xFF0000, TimingBar::Row::kLower},  // 1500..1700
      // Next warning at N = 2500 lies on the right edge: not inside, not drawn;
      // nor is the next signal.
  };
  ASSERT_EQ(p.bars.size(), std::size(expected));
  for (size_t i = 0; i < p.bars.size(); ++i) {
    const TimingBar& b = p.bars[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(b.label, expected[i].label);
    EXPECT_EQ(b.x0, expected[i].x0);
    EXPECT_EQ(b.x1, expected[i].x1);
    EXPECT_EQ(b.y0, expected[i].y0);
    EXPECT_EQ(b.y1, expected[i].y1);
    EXPECT_EQ(b.rgb, expected[i].rgb);
    EXPECT_EQ(b.labelRow, expected[i].row);
  }
}

TEST(TimingPicture, NextEventsAndFaultyLabels) {
  TimingInput in;
  in.words = Words(1, 300, 300, 1, 100, 600, 1, 1000, 1000);
  in.hasResponseKeys = true;
  const TimingCheck c = CheckTiming(in);
  ASSERT_FALSE(c.AnyError());
  ASSERT_EQ(c.T, 600);
  const TimingPicture p = LayoutTimingPicture(in, c, 602, 80);
  // N = 1000 lies beyond the total: no next signal.
  for (const TimingBar& b : p.bars) EXPECT_NE(b.label, "s2");

  in.words = Words(1, 300, 300, 0, 100, 600, 1, 200, 200);  // N = 800, T = 800
  in.warning = true;
  in.startDelay = 100;  // W = 100, N = 900, T = max(400, 900)
  const TimingCheck n = CheckTiming(in);
  ASSERT_FALSE(n.AnyError());
  const TimingPicture q = LayoutTimingPicture(in, n, 902, 80);  // x(t) = 1 + t
  for (const TimingBar& b : q.bars) EXPECT_NE(b.label, "w2");  // N = T lies on the right edge

  // A rate shorter than the response window: the next signal overlaps this trial.
  in.words = Words(1, 200, 200, 1, 100, 1500, 1, 1000, 1000);
  in.warning = false;
  const TimingCheck early = CheckTiming(in);
  ASSERT_TRUE(early.eventsError);
  const TimingPicture o = LayoutTimingPicture(in, early, 1502, 80);  // x(t) = 1 + t
  ASSERT_FALSE(o.bars.empty());
  const TimingBar& s2 = o.bars.back();
  EXPECT_EQ(s2.label, "s2");
  EXPECT_EQ(s2.x0, 1001);
  EXPECT_EQ(s2.x1, 1201);
  EXPECT_EQ(s2.y0, 18);
  EXPECT_EQ(s2.y1, 25);
  EXPECT_TRUE(o.errorBanner);

  in.words = Words(2, 600, 300, 0, 600, 300, 1, 1000, 1000);
  in.warning = false;
  const TimingCheck bad = CheckTiming(in);
  const TimingPicture e = LayoutTimingPicture(in, bad, 400, 80);
  EXPECT_TRUE(e.errorBanner);
  int labelsOnly = 0;
  for (const TimingBar& b : e.bars) {
    if (b.label == "S?" || b.label == "R?") {
      EXPECT_FALSE(b.hasBar);
      ++labelsOnly;
    }
    EXPECT_NE(b.label, "s2");
  }
  EXPECT_EQ(labelsOnly, 2);
}

TEST(TimingPicture, NothingWithoutKeysButTheErrorStays) {
  TimingInput in;
  in.words = Words(1, 300, 100, 0, 100, 600, 1, 1000, 1000);
  in.hasResponseKeys = false;
  const TimingCheck c = CheckTiming(in);
  EXPECT_TRUE(c.sdError);  // the check does not depend on the picture
  const TimingPicture p = LayoutTimingPicture(in, c, 400, 80);
  EXPECT_FALSE(p.drawn);
  EXPECT_TRUE(p.bars.empty());
  EXPECT_TRUE(p.errorBanner);
}

}  // namespace

}  // namespace qel

namespace qel {

namespace {

TEST(TimingPresets, TheFirstWithTheTasksThreeTypes) {
  QelTaskDescription d{};
  d.presetCount = 3;
  const uint32_t types[3][3] = {{1, 0, 2}, {0, 1, 1}, {0, 1, 1}};
  for (int i = 0; i < 3; ++i) {
    d.presets[i].words[QelTimingPreset::kSDType] = types[i][0];
    d.presets[i].words[QelTimingPreset::kControl] = types[i][1];
    d.presets[i].words[QelTimingPreset::kIntType] = types[i][2];
    d.presets[i].words[QelTimingPreset::kSDLow] = 100u * i;
  }
  QelTaskWords w{};
  w.TaskSDType = 0;
  w.TaskControl = 1;
  w.TaskIntType = 1;
  EXPECT_EQ(FindTimingPreset(&d, w), 1);
  w.TaskIntType = 0;
  EXPECT_EQ(FindTimingPreset(&d, w), -1);
  EXPECT_EQ(FindTimingPreset(nullptr, w), -1);
  d.presetCount = 99;  // a published count above the table is bounded
  w.TaskIntType = 1;
  EXPECT_EQ(FindTimingPreset(&d, w), 1);
  TimingWords::From(d.presets[2]).StoreInto(w);
  EXPECT_EQ(w.TaskSDLow, 200u);
}

}  // namespace

}  // namespace qel
