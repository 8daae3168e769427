// The timing of a model task as the Timing page shows it: the names and
// codes of the timing types, the description in rich text, the check of the
// values and the geometry of the time-line picture. Every time is computed
// in 64-bit signed milliseconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "include/qel/ModelTask.h"

namespace qel {

struct QelTimingPreset;
struct QelTaskDescription;

// The nine timing words of a model task.
struct TimingWords {
  uint32_t sdType = 0, sdLow = 0, sdHigh = 0;
  uint32_t control = 0;
  uint32_t vrLow = 0, vrHigh = 0;  // signed values in unsigned words
  uint32_t intType = 0, intLow = 0, intHigh = 0;

  static TimingWords From(const QelTaskWords& w);
  static TimingWords From(const QelTimingPreset& preset);
  void StoreInto(QelTaskWords& w) const;
};

// Names ("?" outside the tables) and codes.
std::string GetSignalDurationName(uint32_t type);
std::string GetEventsIntervalName(uint32_t type);
std::string GetIntervalName(uint32_t type);
std::string GetSignalDurationCode(uint32_t type);
std::string GetEventsIntervalCode(uint32_t type);
std::string GetIntervalCode(uint32_t type);
// "SD_FIX/PRI_RND": the three codes.
std::string FormatTimingCode(uint32_t sdType, uint32_t control, uint32_t intType);

// The first preset of the plug-in's description whose three types equal
// the task's; -1 when none.
int FindTimingPreset(const QelTaskDescription* description, const QelTaskWords& w);

// Timing applies to a task with response keys and one of the flags 0x10,
// 0x20, 0x40.
bool TimingApplies(uint32_t taskType, uint32_t taskFlags);

// Which value fields the page shows for the types.
struct TimingFields {
  bool sdLow = false, sdHigh = false, intLow = false, intHigh = false;
};
TimingFields VisibleTimingFields(const TimingWords& t);

// The description lines (rich-text paragraphs, not yet a document).
std::string BuildTimingDescription(const TimingWords& t);

// The edit of one value field: the word it sets and, for a fixed type,
// the high word with it.
enum class TimingField { kSdLow, kSdHigh, kVrLow, kVrHigh, kIntLow, kIntHigh };
void ApplyTimingEdit(QelTaskWords& w, TimingField field, int32_t value);

// What the check needs beyond the words.
struct TimingInput {
  TimingWords words;
  bool warning = false;     // task flag 0x200: a warning phase
  int64_t startDelay = 0;   // the plug-in's warning-to-stimulus delay (used with warning)
  bool feedbackOn = false;  // feedback type not None
  bool hasResponseKeys = false;
};

// The check's result: the faults found and the times of the time line.
struct TimingCheck {
  bool sdError = false, vrError = false, intError = false, eventsError = false;
  std::string errorText;  // rich-text lines naming each fault
  int64_t W = 0;          // warning end
  int64_t vrStart = 0;    // response window start
  int64_t R = 0;          // response window end
  int64_t F = 0;          // feedback end
  int64_t S = 0;          // signal end
  bool hasMark = false;   // the signal of "Variable" duration: the response splits it
  int64_t M = 0;          // the mark
  int64_t I = 0;          // interval
  int64_t N = 0;          // next warning
  int64_t T = 0;          // total shown
  bool AnyError() const { return sdError || vrError || intError || eventsError; }
};
TimingCheck CheckTiming(const TimingInput& in);

// One bar of the picture with its label; x1 is cut at the picture's right edge.
struct TimingBar {
  enum class Row { kUpper, kLower };
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // inclusive rows, x1 exclusive
  uint32_t rgb = 0;                    // 0xRRGGBB
  bool hasBar = true;                  // false: only the label (a faulty value)
  std::string label;
  Row labelRow = Row::kUpper;
};
struct TimingPicture {
  bool drawn = false;  // a time line (response keys and a positive total)
  int axisY = 0, axisX0 = 0, axisX1 = 0;
  std::vector<TimingBar> bars;  // split bars come as two, the second without a label
  bool errorBanner = false;     // "TIMING ERROR!" in the bottom line
};
// x of a time on a picture of width w for a total T.
int TimingX(int64_t t, int64_t total, int width);
TimingPicture LayoutTimingPicture(const TimingInput& in, const TimingCheck& check, int width, int height);

// Geometry and colours of the picture.
struct TimingLayout {
  static constexpr int kAxisY = 33;
  static constexpr int kUpperBarTop = 26, kUpperBarBottom = 33;
  static constexpr int kLowerBarTop = 34, kLowerBarBottom = 41;
  static constexpr int kNextBarTop = 18, kNextBarBottom = 25;
  static constexpr int kUpperLabelTop = 1, kUpperLabelBottom = 17;
  static constexpr int kLowerLabelTop = 42, kLowerLabelBottom = 58;
  static constexpr int kBannerHeight = 17;
  static constexpr int kFontHeight = 16;
  static constexpr uint32_t kGrey = 0xBFBFBF, kGreen = 0x00FF00, kDarkGreen = 0x00BF00;
  static constexpr uint32_t kBlue = 0x0000FF, kDarkBlue = 0x0000BF, kRed = 0xFF0000, kWhite = 0xFFFFFF;
  static constexpr int64_t kFeedbackMs = 200;
};

constexpr const char* kTimingErrorBanner = "TIMING ERROR!";

}  // namespace qel
