// Tapping: the testee taps as fast as possible with the left index finger,
// the right one, both hands alternating and both hands together. Each part
// runs itself on a host worker thread (the self-timed run command): a start
// beep, tapping,
// two stop beeps. Every change of the key state is stored as one entry; the
// variables are computed from the taps rebuilt from those entries.
#pragma once

#include <cstdint>

#include "tasks/layers/series/TaskSeries.h"
#include "tasks/plugins/tp/TapList.h"
#include "tasks/plugins/tp/TappingTables.h"
#include "tasks/plugins/tp/ui/TappingPage.h"

namespace qel {

class CTaskTapping final : public CTaskSeries {
 public:
  enum Part : int { kPartLeft = 0, kPartRight = 1, kPartAlt = 2, kPartSync = 3 };

  // Seconds: a practice part, the longest test part, the norm window.
  static constexpr uint32_t kPracticeSeconds = 4;
  static constexpr uint32_t kMaxSeconds = 30;
  static constexpr int32_t kNormWindowSeconds = 10;
  // ms: the wait for Space before the start beep, the lead-in of a test part.
  static constexpr uint32_t kStartWaitMs = 2000;
  static constexpr uint32_t kLeadInMs = 3000;

  CTaskTapping();

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;     // 3
  void LoadTexts() override;                                       // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;  // 8
  bool BeginRun(ITaskRunData* runData) override;                   // 11
  bool EndRun() override;                                          // 12
  bool Demonstrate(ITaskRunData* runData) override;                // 32
  int32_t ComputeVariables(ITaskRunData* runData) override;        // 33
  bool RunSelfTimed(ITaskRunData* runData) override;               // 34

  // Entries stored at most in a part of the given seconds: one per 10 ms of
  // the part and the one at its last ms, within the response arrays.
  static int MaxEntries(uint32_t seconds);

 private:
  // The part's tap keys: bit 0 left, bit 1 right.
  uint32_t ReadTapKeys();
  // Takes the next key event in for the keys read next; the look's run
  // time: that event's, or the clock's when none was waiting, never
  // before the previous look's.
  uint32_t TakeLook(uint32_t previous);
  // Parts Left and Right always show their counters, Alt and Sync when
  // TaskParam word 0 is set.
  bool CountersShown() const;
  // The counters of the current part, in the task's colours.
  void DrawCounters(CDC* dc, const CTaskFont& font, int left, int right);
  // Clears the back surface, draws the counters with the counter font and presents.
  void ShowCounters(int left, int right);
  // Ends a stopped part: break flag when asked, no stored entries.
  bool StopPart(int part, bool breakFlag);

  // Variables of one part (ComputeVariables).
  struct Scoring;
  void ScoreHand(const Scoring& s, const TapList& list, int start, const tapping::PartRows& rows);
  void ScoreMerged(const Scoring& s, const TapList& merged, int index, QelNormGetter zTaps, QelNormGetter zMean,
                   uint8_t tag1, uint8_t tag2);
  void ScoreBimanual(const Scoring& s, int part, int start, int criterion, const tapping::PartRows& rows);

  CTaskPageTapping m_pageObject;
  int m_altCriterion = 20;
  int m_syncCriterion = 60;
  CTaskFont m_counterFont;
  int m_counterSize;  // points
};

}  // namespace qel
