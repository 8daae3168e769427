#include "editors/TimingRules.h"

#include <algorithm>
#include <cstdio>

#include "include/qel/TaskLibraryInterface.h"

namespace qel {

namespace {

const char* const kSdNames[] = {"Variable", "Fixed", "Random", "Irrelevant"};
const char* const kSdCodes[] = {"SD_VAR", "SD_FIX", "SD_RND", "SD_IRR"};
const char* const kEventsNames[] = {"PostResponse", "EventRate", "PostKeyRelease"};
const char* const kEventsCodes[] = {"PRI", "RATE", "PKRI"};
const char* const kIntNames[] = {"Variable", "Fixed", "Random"};
const char* const kIntCodes[] = {"VAR", "FIX", "RND"};

template <size_t N>
std::string Lookup(const char* const (&table)[N], uint32_t i) {
  return i < N ? table[i] : "?";
}

constexpr uint32_t kTimingFlagsMask = 0x70;

constexpr const char* kTab = "\\tab ";
constexpr const char* kPar = "\\par ";

std::string Format(const char* format, auto... args) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

int32_t Signed(uint32_t word) { return static_cast<int32_t>(word); }

}  // namespace

TimingWords TimingWords::From(const QelTaskWords& w) {
  TimingWords t;
  t.sdType = w.TaskSDType;
  t.sdLow = w.TaskSDLow;
  t.sdHigh = w.TaskSDHigh;
  t.control = w.TaskControl;
  t.vrLow = w.TaskVRLow;
  t.vrHigh = w.TaskVRHigh;
  t.intType = w.TaskIntType;
  t.intLow = w.TaskIntLow;
  t.intHigh = w.TaskIntHigh;
  return t;
}

TimingWords TimingWords::From(const QelTimingPreset& p) {
  using W = QelTimingPreset;
  TimingWords t;
  t.sdType = p.words[W::kSDType];
  t.sdLow = p.words[W::kSDLow];
  t.sdHigh = p.words[W::kSDHigh];
  t.control = p.words[W::kControl];
  t.vrLow = p.words[W::kVRLow];
  t.vrHigh = p.words[W::kVRHigh];
  t.intType = p.words[W::kIntType];
  t.intLow = p.words[W::kIntLow];
  t.intHigh = p.words[W::kIntHigh];
  return t;
}

void TimingWords::StoreInto(QelTaskWords& w) const {
  w.TaskSDType = sdType;
  w.TaskSDLow = sdLow;
  w.TaskSDHigh = sdHigh;
  w.TaskControl = control;
  w.TaskVRLow = vrLow;
  w.TaskVRHigh = vrHigh;
  w.TaskIntType = intType;
  w.TaskIntLow = intLow;
  w.TaskIntHigh = intHigh;
}

std::string GetSignalDurationName(uint32_t type) { return Lookup(kSdNames, type); }
std::string GetEventsIntervalName(uint32_t type) { return Lookup(kEventsNames, type); }
std::string GetIntervalName(uint32_t type) { return Lookup(kIntNames, type); }
std::string GetSignalDurationCode(uint32_t type) { return Lookup(kSdCodes, type); }
std::string GetEventsIntervalCode(uint32_t type) { return Lookup(kEventsCodes, type); }
std::string GetIntervalCode(uint32_t type) { return Lookup(kIntCodes, type); }

std::string FormatTimingCode(uint32_t sdType, uint32_t control, uint32_t intType) {
  return GetSignalDurationCode(sdType) + "/" + GetEventsIntervalCode(control) + "_" + GetIntervalCode(intType);
}

int FindTimingPreset(const QelTaskDescription* description, const QelTaskWords& w) {
  if (!description) return -1;
  constexpr uint32_t kMaxPresets = 3;
  const uint32_t count = std::min(description->presetCount, kMaxPresets);
  for (uint32_t i = 0; i < count; ++i) {
    const QelTimingPreset& p = description->presets[i];
    if (p.words[QelTimingPreset::kSDType] == w.TaskSDType && p.words[QelTimingPreset::kControl] == w.TaskControl &&
        p.words[QelTimingPreset::kIntType] == w.TaskIntType) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool TimingApplies(uint32_t taskType, uint32_t taskFlags) {
  return ResponseTypeOf(taskType) != 0 && (taskFlags & kTimingFlagsMask) != 0;
}

TimingFields VisibleTimingFields(const TimingWords& t) {
  TimingFields f;
  f.sdLow = t.sdType == kSignalDurationFixed || t.sdType == kSignalDurationRandom;
  f.sdHigh = t.sdType == kSignalDurationRandom;
  f.intLow = true;
  f.intHigh = t.intType == kIntervalVariable || t.intType == kIntervalRandom;
  return f;
}

std::string BuildTimingDescription(const TimingWords& t) {
  std::string text;
  const char* sdLabel = "\\b Signal duration\\b0 ";
  switch (t.sdType) {
    case kSignalDurationVariable:
      text += Format("%s:%svariable, until response.%s", sdLabel, kTab, kPar);
      break;
    case kSignalDurationFixed:
      text += Format("%s:%sfixed, %d ms.%s", sdLabel, kTab, Signed(t.sdLow), kPar);
      break;
    case kSignalDurationRandom:
      text += Format("%s:%srandom, %d..%d ms.%s", sdLabel, kTab, Signed(t.sdLow), Signed(t.sdHigh), kPar);
      break;
    case kSignalDurationIrrelevant:
      text += Format("%s:%sirrelevant.%s", sdLabel, kTab, kPar);
      break;
    default:
      text += Format("%s:%s%s %d.%s", sdLabel, kTab, "\\cf1 invalid type\\cf0 ", Signed(t.sdType), kPar);
  }
  text += Format("%s:%s%d..%d ms%s", "\\b Valid  response\\b0 ", kTab, Signed(t.vrLow), Signed(t.vrHigh), kPar);
  const char* evLabel = "\\b Events interval\\b0 ";
  switch (t.control) {
    case kEventsPostResponse:
      text += Format("%s:%spost response.%s", evLabel, kTab, kPar);
      break;
    case kEventsRate:
      text += Format("%s:%srate.%s", evLabel, kTab, kPar);
      break;
    case kEventsPostKeyRelease:
      text += Format("%s:%spost key release.%s", evLabel, kTab, kPar);
      break;
    default:
      text += Format("%s:%s%s %d.%s", evLabel, kTab, "\\cf1 invalid control\\cf0 ", Signed(t.control), kPar);
  }
  switch (t.intType) {
    case kIntervalVariable:
      text += Format("%sVariable, %d..%d ms.%s", kTab, Signed(t.intLow), Signed(t.intHigh), kPar);
      break;
    case kIntervalFixed:
      text += Format("%sFixed, %d ms.%s", kTab, Signed(t.intLow), kPar);
      break;
    case kIntervalRandom:
      text += Format("%sRandom, %d..%d ms.%s", kTab, Signed(t.intLow), Signed(t.intHigh), kPar);
      break;
    default:
      text += Format("%s%s %d.%s", kTab, "\\cf1 Invalid type\\cf0 ", Signed(t.intType), kPar);
  }
  return text;
}

void ApplyTimingEdit(QelTaskWords& w, TimingField field, int32_t value) {
  const uint32_t word = static_cast<uint32_t>(value);
  switch (field) {
    case TimingField::kSdLow:
      w.TaskSDLow = word;
      if (w.TaskSDType == kSignalDurationFixed) w.TaskSDHigh = word;
      break;
    case TimingField::kSdHigh:
      w.TaskSDHigh = word;
      break;
    case TimingField::kVrLow:
      w.TaskVRLow = word;
      break;
    case TimingField::kVrHigh:
      w.TaskVRHigh = word;
      break;
    case TimingField::kIntLow:
      w.TaskIntLow = word;
      if (w.TaskIntType == kIntervalFixed) w.TaskIntHigh = word;
      break;
    case TimingField::kIntHigh:
      w.TaskIntHigh = word;
      break;
  }
}

TimingCheck CheckTiming(const TimingInput& in) {
  const TimingWords& t = in.words;
  TimingCheck c;
  if (t.sdHigh < t.sdLow) {
    c.sdError = true;
    c.errorText += "\\cf1 Signal duration error\\cf0 ";
    c.errorText += ": Low > High!\r\n";
  }
  const int64_t vrLow = Signed(t.vrLow);
  const int64_t vrHigh = Signed(t.vrHigh);
  if (vrHigh < vrLow) {
    c.vrError = true;
    c.errorText += "\\cf1 Valid responses error\\cf0 ";
    c.errorText += ": Low > High!\r\n";
  }
  if (t.intHigh < t.intLow) {
    c.intError = true;
    c.errorText += "\\cf1 Events interval error\\cf0 ";
    c.errorText += ": Low > High!\r\n";
  }

  const int64_t sdLow = t.sdLow;
  const int64_t sdHigh = t.sdHigh;
  const int64_t intLow = t.intLow;
  const int64_t intHigh = t.intHigh;
  c.W = in.warning ? in.startDelay : 0;
  c.vrStart = c.W + std::min(vrLow, vrHigh);
  c.R = c.W + std::max(vrLow, vrHigh);
  c.F = in.feedbackOn ? c.R + TimingLayout::kFeedbackMs : c.R;
  switch (t.sdType) {
    case kSignalDurationVariable:
      c.S = c.R;
      break;
    case kSignalDurationFixed:
      c.S = c.W + sdLow;
      break;
    case kSignalDurationRandom:
      c.S = c.W + std::max(sdLow, sdHigh);
      break;
    default:
      c.S = c.W;
  }
  if (t.sdType == kSignalDurationVariable && c.vrStart < c.S) {
    c.hasMark = true;
    c.M = (c.vrStart + c.S) / 2;
  }
  switch (t.intType) {
    case kIntervalVariable:
    case kIntervalFixed:
      c.I = intLow;
      break;
    case kIntervalRandom:
      c.I = std::max(intLow, intHigh);
      break;
    default:
      c.I = 0;
  }
  if (t.control == kEventsRate) {
    c.N = c.I;
    c.T = std::max(c.S, c.F);
  } else {
    c.N = c.R + c.I;
    c.T = std::max(c.S, c.R + c.I);
  }
  const int64_t nextWarningEnd = c.N + c.W;
  if (c.N < c.S || c.N < c.F || nextWarningEnd < c.S || nextWarningEnd < c.F) {
    c.eventsError = true;
    c.errorText += "\\cf1 Events interval error!\r\n\\cf0 ";
  }
  return c;
}

int TimingX(int64_t t, int64_t total, int width) {
  if (total <= 0) return 1;
  return static_cast<int>(1 + static_cast<int64_t>(width - 2) * t / total);
}

namespace {

// A bar from x0 to x1, cut to the picture.
TimingBar Bar(int x0, int x1, int y0, int y1, uint32_t rgb, const std::string& label, TimingBar::Row row, int width) {
  TimingBar b;
  const int right = width - 1;
  b.x0 = std::clamp(x0, 0, right);
  b.x1 = std::clamp(x1, 0, right);
  b.y0 = y0;
  b.y1 = y1;
  b.rgb = rgb;
  b.label = label;
  b.labelRow = row;
  return b;
}

// A bar split at the mark: first colour up to it, second after it.
void AddSplitBar(std::vector<TimingBar>& bars, int x0, int x1, int xMark, bool split, int y0, int y1, uint32_t first,
                 uint32_t second, const std::string& label, TimingBar::Row row, int width) {
  if (split && xMark > x0 && xMark < x1) {
    bars.push_back(Bar(x0, xMark, y0, y1, first, label, row, width));
    bars.push_back(Bar(xMark, x1, y0, y1, second, "", row, width));
  } else {
    bars.push_back(Bar(x0, x1, y0, y1, first, label, row, width));
  }
}

}  // namespace

TimingPicture LayoutTimingPicture(const TimingInput& in, const TimingCheck& c, int width, int height) {
  using L = TimingLayout;
  using Row = TimingBar::Row;
  TimingPicture p;
  p.errorBanner = c.AnyError();
  if (!in.hasResponseKeys || c.T <= 0 || width < 3 || height <= 0) return p;
  p.drawn = true;
  p.axisY = L::kAxisY;
  p.axisX0 = 1;
  p.axisX1 = width - 1;
  auto x = [&](int64_t t) { return TimingX(t, c.T, width); };
  const int right = width - 1;

  if (in.warning) p.bars.push_back(Bar(1, x(c.W), L::kUpperBarTop, L::kUpperBarBottom, L::kGrey, "W", Row::kUpper, width));

  if (c.sdError) {
    TimingBar label = Bar(x(c.W), x(c.W), L::kUpperBarTop, L::kUpperBarBottom, L::kGreen, "S?", Row::kUpper, width);
    label.hasBar = false;
    p.bars.push_back(label);
  } else {
    AddSplitBar(p.bars, x(c.W), x(c.S), x(c.M), c.hasMark, L::kUpperBarTop, L::kUpperBarBottom, L::kGreen,
                L::kDarkGreen, "S", Row::kUpper, width);
  }

  if (c.vrError) {
    TimingBar label = Bar(x(c.vrStart), x(c.vrStart), L::kLowerBarTop, L::kLowerBarBottom, L::kBlue, "R?",
                          Row::kLower, width);
    label.hasBar = false;
    p.bars.push_back(label);
  } else {
    AddSplitBar(p.bars, x(c.vrStart), x(c.R), x(c.M), c.hasMark, L::kLowerBarTop, L::kLowerBarBottom, L::kBlue,
                L::kDarkBlue, "R", Row::kLower, width);
  }

  if (in.feedbackOn) p.bars.push_back(Bar(x(c.R), x(c.F), L::kLowerBarTop, L::kLowerBarBottom, L::kRed, "F", Row::kLower, width));

  const int xN = x(c.N);
  if (in.warning && xN >= 0 && xN < right) {
    p.bars.push_back(Bar(xN, x(c.N + c.W), L::kNextBarTop, L::kNextBarBottom, L::kGrey, "w2", Row::kUpper, width));
  }
  const int xNextSignal = x(c.N + c.W);
  if (!c.sdError && xNextSignal >= 0 && xNextSignal < right) {
    p.bars.push_back(
        Bar(xNextSignal, x(c.N + c.S), L::kNextBarTop, L::kNextBarBottom, L::kGreen, "s2", Row::kUpper, width));
  }
  return p;
}

}  // namespace qel
