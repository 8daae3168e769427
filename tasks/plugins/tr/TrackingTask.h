// Tracking: two concentric circles form a circular track with a small
// yellow marker at its top. The testee moves the pointer (a small circle)
// with the mouse onto the marker and from there once around the track,
// between the circles, back to the marker: first with the left hand, then
// with the right, the hands in opposite directions. Each part runs itself
// on the host's worker thread (the run-self-timed command); whenever the
// pointer has moved far enough a sample is stored. The variables are the
// time, the shares of samples forward or backward, inside or outside the
// track, the statistics of the radial deviation in mm and the mean
// deviation in 60 sectors of 6 degrees, per hand and for both.
#pragma once

#include <cstdint>
#include <string>

#include "tasks/layers/mouse/TaskMouse.h"
#include "tasks/plugins/tr/TrackingGeometry.h"
#include "tasks/plugins/tr/ui/TrackingPage.h"

namespace qel {

class CTaskTracking final : public CTaskMouse {
 public:
  static constexpr int kWordDirection = 1;
  static constexpr int kWordWidth = 2;
  static constexpr COLORREF kTrackColour = 0x7F7F7F;
  static constexpr COLORREF kYellow = 0x00FFFF;
  static constexpr COLORREF kWhite = 0xFFFFFF;
  static constexpr int kMaxSamples = kMaxResponses;
  // The longest time between two samples, ms.
  static constexpr uint32_t kLongestGapMs = 30000;
  // Accumulated turn at which a part is given up, degrees.
  static constexpr double kGiveUpDegrees = 540.0;
  // Progress is stored in 1/60 degree; a sector is 6 degrees.
  static constexpr int kProgressPerDegree = 60;
  static constexpr int kSectorProgress = 6 * kProgressPerDegree;

  // Sample categories (the category array).
  enum SampleCategory : int32_t {
    kForwardIn = 0,
    kBackwardIn = 1,
    kForwardOut = 2,
    kBackwardOut = 3,
  };

  CTaskTracking();

  bool SetupScreen(IDDDisplay* display, bool practice) override;                // 2
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;                  // 3
  void LoadTexts() override;                                                    // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  int32_t GetParamText(int parameter, int which) override;                      // 9
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool Demonstrate(ITaskRunData* runData) override;                             // 32
  int32_t ComputeVariables(ITaskRunData* runData) override;                     // 33
  bool RunSelfTimed(ITaskRunData* runData) override;                            // 34

  bool LoadTrackParams();
  const TrackGeometry& Track() const { return m_track; }
  QelPoint Marker() const { return QelPoint{m_markerX, m_markerY}; }
  // 1: counterclockwise is forward in this part; 0: clockwise.
  int32_t DirectionFlag() const { return m_directionFlag; }

  // The texts shown (and left in the record's run text) when a part ends
  // with its samples discarded.
  static constexpr const char* kGapText =
      "Tracking stopped: more than 30 seconds passed without a sample. Nothing was stored for this part.";
  static constexpr const char* kTurnText =
      "Tracking stopped: the pointer went one and a half turns around the track. Nothing was stored for this part.";

 private:
  void BindArrays(ITaskRunData* runData);
  static void DrawCircleOutline(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width);
  static void FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour);
  void DrawTrack(CDC* dc, int x, int y);
  void ShowScene(int x, int y, bool ruler);
  // Glides the pointer between the marker and the centre (down for step >
  // 0); false when Escape ends it.
  bool MovePointerVertical(int step);
  void SetMarkerColours(bool onMarker);
  // The tracking loop: the samples stored, or -1 when the part's samples
  // are discarded.
  int RunTracking();
  // Ends a part whose samples are discarded: the break flag, the reason
  // on the testee's screen (until Space) and in the run text.
  void Discard(const char* reason);

  CTaskPageTracking m_pageObject;
  int32_t* m_categories = nullptr;
  int32_t* m_reactionTimes = nullptr;
  int32_t* m_deviations = nullptr;  // response-code array: mm
  int32_t* m_progress = nullptr;    // task-category array: 1/60 degree
  int m_pointerX = 320;
  int m_pointerY = 240;
  int m_lastX = 320;
  int m_lastY = 240;
  COLORREF m_trackColour = kTrackColour;
  COLORREF m_markerColour = kYellow;
  TrackGeometry m_track;
  int m_markerX = 320;
  int m_markerY = 240;
  int32_t m_directionFlag = 0;
  uint32_t m_longestGapMs = kLongestGapMs;
  double m_demonstrationStep = 0.01;
};

}  // namespace qel
