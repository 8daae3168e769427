// The Trials page's rules: names of the interruption settings, the signal
// scale and its slider, the step through the plug-in's allowed trial counts.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

class CExpModelTask;

constexpr int kScaleStepMin = 10;   // 50 percent
constexpr int kScaleStepMax = 40;   // 200 percent
constexpr int kScaleStepDefault = 20;
constexpr int kScalePercentPerStep = 5;
constexpr int kScaleSliderTick = 2;
// The task whose trial count is one for all its parts.
constexpr uint32_t kSameTrialsForAllPartsTask = 34;

// "Cancel", "Dummy trials", "Repeat trial", "Replace trial"; "?" otherwise.
std::string ContinuationName(uint32_t value);
// "No", "Rotate horizontally", "Rotate diagonally", "Swap next"; "?" otherwise.
std::string ReplacementName(uint32_t value);

// 50 - v limited to 10..40: a scale step to a slider position and back.
int ScaleToSlider(int value);
// The step shown for the stored scale (low 16 bits / 5, 20 outside 10..40).
int ShownScaleStep(uint32_t taskSss);
// Whether a slider move from step to newStep is taken for a scroll code.
bool ScaleMoveTaken(int code, int step, int newStep);
// TaskSSS with a new scale step (upper bits kept).
uint32_t WithScaleStep(uint32_t taskSss, int step);
// "%d%%" of the stored scale.
std::string ScaleText(uint32_t taskSss);

// The trial count of the task's current part after an up-down step through
// the allowed-trials rows (-1 up, +1 down); false when nothing changes. The
// count goes to the current part, or to every part the task has for the
// task that keeps one count.
bool StepTrials(CExpModelTask& task, int delta);
// The row index of the current trials (-1 none) and the trials shown:
// the part's trials, else its base count.
int CurrentTrialsRow(const CExpModelTask& task, uint32_t* shownTrials);

// What the page shows for a bound task.
struct TrialsVisibility {
  bool lists = false;       // TEST and PRACTICE lists
  bool scale = false;       // signal scale
  bool interruption = false;
  bool afterInterruption = false;
  bool timed = false;       // captions in seconds
};
TrialsVisibility TrialsPageVisibility(uint32_t taskType, uint32_t taskFlags, uint32_t intrContinue);

// "%4d trials".
std::string TrialCountText(uint32_t count);

}  // namespace qel
