// "Gaze-Arrow Cueing": a central cue (a yellow arrow, or a face whose eyes
// look left or right) precedes a ball on the left or the right; the testee
// presses the button on the ball's side. The cue points to the ball's side
// (valid) or away from it (invalid). Catch trials show two red crosses and
// ask for both buttons at once; the plug-in times them itself and writes
// one summary record after the part's trials.
//
// Threads: IsTrialEnded is polled on the run's timer thread while the
// user-interface thread runs a catch window in ShowSignal; the two meet
// only in the atomic catch flags below.
#pragma once

#include <atomic>
#include <cstdint>

#include "taskfw/TaskBase.h"
#include "tasks/plugins/gac/ui/GacPage.h"

namespace qel {

class CTaskGazeArrowCueing final : public CTaskBase {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 1;

  enum CueKind : int { kKindNone = 0, kKindArrow = 1, kKindFace = 2, kKindCatch = 3 };
  enum Side : int { kSideNone = 0, kSideLeft = 1, kSideRight = 2 };
  enum Phase : int {
    kPhaseFixation = 0,
    kPhaseNeutralCue = 1,
    kPhaseDirectionalCue = 2,
    kPhaseCatch = 3,
    kPhaseCueAndTarget = 4
  };
  // Faces: man 1, man 2, woman 1, woman 2; gaze 0 straight, 1 left, 2 right.
  static constexpr int kFaces = 4;
  static constexpr uint32_t kLargeFaceFirstId = 101;  // 240 x 272, in the run
  static constexpr uint32_t kSmallFaceFirstId = 113;  // 120 x 136, in the editors' preview
  static constexpr int kLargeFaceWidth = 240;
  static constexpr int kLargeFaceHeight = 272;
  static constexpr int kSmallFaceWidth = 120;
  static constexpr int kSmallFaceHeight = 136;

  // Categories of the run: the summary record and the catch trials.
  static constexpr int32_t kSummaryCategory = 100;
  static constexpr int32_t kCatchNone = 26;
  static constexpr int32_t kCatchOne = 27;
  static constexpr int32_t kCatchBoth = 28;
  // The crosses of a catch trial stay this long at most.
  static constexpr uint32_t kCatchCrossesMs = 700;

  // Timing words (TaskParam 0-2): defaults and ranges.
  static constexpr uint32_t kCueStartDefault = 150;
  static constexpr uint32_t kCueEndDefault = 150;
  static constexpr uint32_t kPostCatchDefault = 1200;
  static constexpr uint32_t kCueMin = 50;
  static constexpr uint32_t kCueMax = 2000;
  static constexpr uint32_t kPostCatchMin = 1000;
  static constexpr uint32_t kPostCatchMax = 5000;

  struct ParsedCode {
    int kind = kKindNone;
    int face = 0;  // 0..3
    int cue = kSideNone;
    int target = kSideNone;
  };
  // The task's stimulus-code parser; false (and kind none) for a code it
  // rejects.
  static bool ParseCode(const char* code, ParsedCode* out);

  CTaskGazeArrowCueing();

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool EndRun() override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  int32_t IsTrialEnded() override;
  int32_t OnResponse(int32_t code, int32_t early) override;
  int32_t OnNoResponse() override;
  int32_t GetExtraResponseCount() override;
  bool SetTrial(const char* code) override;
  int32_t GetCorrectResponse(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // What the catch trials of the part gave: answered with both buttons and
  // the sum of their slower times.
  int32_t CatchCount() const { return m_catchCount; }
  int32_t CatchSum() const { return m_catchSum; }

 private:
  struct Geometry {
    int centreX, centreY;
    int ballRadius, ballOffset;
    int arrowHalfWidth, arrowHalfHeight;
    uint32_t firstFaceId;
    int faceWidth, faceHeight;
  };
  Geometry RunGeometry() const;
  void ReadTiming();
  // One screen of a trial on the back surface, presented.
  void ShowPhase(int phase, const ParsedCode& code);
  void DrawPhase(CDC* dc, const Geometry& g, int phase, const ParsedCode& code);
  void DrawCue(CDC* dc, const Geometry& g, const ParsedCode& code, bool directional);
  void DrawBall(CDC* dc, const Geometry& g, int side);
  void DrawCatchCrosses(CDC* dc, const Geometry& g);
  // The catch window of ShowSignal on the host clock.
  void RunCatchWindow();
  // Space-key wait of the demonstration; true when it asks to stop.
  bool DemoWait();
  void ShowCueSequence(const ParsedCode& code);

  CTaskPageGazeArrowCueing m_pageObject;
  ParsedCode m_parsed;
  uint32_t m_cueStartMs = kCueStartDefault;
  uint32_t m_cueEndMs = kCueEndDefault;
  uint32_t m_postCatchMs = kPostCatchDefault;
  // Catch trials.
  int32_t m_leftTime = 0;
  int32_t m_rightTime = 0;
  bool m_leftPressed = false;
  bool m_rightPressed = false;
  std::atomic<bool> m_catchActive{false};
  std::atomic<bool> m_catchEnded{false};
  int32_t m_catchCount = 0;
  int32_t m_catchSum = 0;
  // The part's summary record.
  bool m_partRunning = false;
  bool m_summaryWritten = false;
};

}  // namespace qel
