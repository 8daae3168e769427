// The layer of the tasks whose responses come in series of a fixed length.
// It counts the scored responses of a run, shows the number of the current
// series in the bottom right corner while the run goes on (when TaskParam
// word 0 switches that on), publishes the series length to the host at
// the set-up command, and offers two functions over stored responses: where a series
// ends and how long it took.
#pragma once

#include <cstdint>
#include <string>

#include "taskfw/TaskBase.h"
#include "tasks/layers/series/TaskFont.h"

namespace qel {

class CTaskSeries : public CTaskBase {
 public:
  // Point size of the series-number overlay.
  static constexpr int kOverlayPoints = 12;

  CTaskSeries();

  bool SetupScreen(IDDDisplay* display, bool practice) override;                // 2
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  bool BeginRun(ITaskRunData* runData) override;                                // 11
  bool EndRun() override;                                                       // 12
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool HideSignal(int32_t responseCode) override;                               // 17
  int32_t ClassifyResponse(int32_t category, int32_t code) override;            // 31

  // The overlay font (12 points) when the overlay is on.
  void CreateOverlayFont(CDC* dc);
  // Draws the series number at the bottom right corner: only with a
  // context, the overlay on and its font created.
  void DrawSeriesOverlay(CDC* dc);
  // "%s%d": "*" when the host marks the run, then the series number.
  std::string SeriesOverlayText() const;
  // counter / length + 1; 0 for a length of 0.
  int SeriesNumber() const;

  // Walks the categories from the first, counting those of 1..4, and stops
  // after the entry at which the count reaches length, or at n. Returns the
  // index after the last entry looked at (0 when n < 1) and the count.
  static int GetSeriesEnd(const int32_t* categories, int n, int length, int* count);
  // Sum of the reaction times of the entries of category 1..4: the time the
  // series took.
  static int64_t GetSeriesTime(const int32_t* categories, const int32_t* reactionTimes, int n);

  int SeriesLength() const { return m_seriesLength; }
  int ResponseCount() const { return m_responseCounter; }
  bool OverlayOn() const { return m_overlayOn; }

 protected:
  ~CTaskSeries() = default;

  // Categories 1..4 (hit, correct rejection, false alarm, miss) are scored.
  static bool IsScored(int32_t category) { return category >= 1 && category <= 4; }
  // Draws the overlay on the back surface; false when no context can be had.
  bool DrawOverlayOnBack();

  int32_t m_seriesLength = 0;     // responses per series, set by the task class
  int32_t m_responseCounter = 0;  // scored responses since BeginRun
  bool m_overlayOn = false;       // TaskParam word 0 of the run context
  CTaskFont m_overlayFont;
};

}  // namespace qel
