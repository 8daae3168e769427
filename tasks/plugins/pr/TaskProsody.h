// "Prosody": spoken sentences with an emotional tone are played; the testee
// names the emotion aloud (the voice key times the answer) and the operator
// then clicks, on the testee's screen, the button of the emotion that was
// named. The click is judged against the emotion of the sentence.
//
// Threads: the task starts two threads of its own, the warning thread
// (the framework's warning display, started by the warning command) and the
// feedback thread (after each click: 200 ms of feedback when the emotion
// named was wrong). Each clears its running flag when done. A new thread of
// either kind first joins the one before it; the sentence waits for its
// warning; the end of a part, unloading and the task's destruction stop
// and join both, so no thread of the task outlives the part. The click
// loops run inside the part-start and response commands on the run's
// user-interface thread and wait on the host's run clock; Escape (or a run
// that is being ended) leaves them.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "display/image/Image.h"
#include "taskfw/TaskBase.h"
#include "tasks/layers/series/TaskFont.h"
#include "tasks/plugins/pr/ProsodyButtons.h"
#include "tasks/plugins/pr/ProsodyJudging.h"

namespace qel {

class CTaskProsody final : public CTaskBase {
 public:
  // ms from the warning to the sentence; of feedback after a wrong click;
  // between two readings of the mouse.
  static constexpr int32_t kWarningIntervalMs = 1000;
  static constexpr uint32_t kFeedbackMs = 200;
  static constexpr uint32_t kPointerPollMs = 2;
  // What a click loop answers when a key ended it.
  static constexpr int kEndedByKey = -2;

  CTaskProsody();
  ~CTaskProsody();

  void LoadTexts() override;                                                    // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  bool OnUnload() override;                                                     // 10
  bool BeginRun(ITaskRunData* runData) override;                                // 11
  bool EndRun() override;                                                       // 12
  bool ShowWarning() override;                                                  // 13
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool HideSignal(int32_t responseCode) override;                               // 17
  int32_t OnBreakBegin() override;                                              // 18
  int32_t OnBreakEnd() override;                                                // 19
  int32_t GetWarningInterval() override;                                        // 20
  int32_t OnResponse(int32_t code, int32_t early) override;                     // 23
  bool FeedbackOn() override;                                                   // 27
  int32_t ClassifyResponse(int32_t category, int32_t code) override;            // 31
  bool Demonstrate(ITaskRunData* runData) override;                             // 32
  int32_t ComputeVariables(ITaskRunData* runData) override;                     // 33

  // For the tests: whether a thread of the task still runs, the emotions of
  // the last trial, the button labels.
  bool ThreadsRunning() const { return m_warningRunning.load() || m_feedbackRunning.load(); }
  int32_t PresentedEmotion() const { return m_presented; }
  int32_t ChosenEmotion() const { return m_chosen; }
  const std::string& Label(int button) const { return m_labels[button]; }

 private:
  // Button positions, labels, font and pictures for a part.
  void PrepareButtonScreen();
  // Background, the buttons (button 0 only while the operator may click),
  // their labels and, while the operator may click, the pointer; presented.
  void DrawButtonScreen();
  static bool RedrawCallback(void* context);
  // The operator clicks: the pointer follows the mouse from its start (what
  // the mouse moved before is dropped) until a mouse button is released
  // after a press. The button under the pointer
  // then (-1 for none), or kEndedByKey when Escape or, with spaceEnds,
  // Space ended the loop.
  int WaitClick(bool spaceEnds);
  void StartFeedbackThread();
  void JoinThreads();
  void JoinWarningThread();

  pr::ButtonLayout m_layout{};
  std::string m_labels[pr::kButtons];
  int m_pressed = -1;
  QelPoint m_pointer{0, 0};
  bool m_inputActive = false;
  int32_t m_presented = pr::kNoEmotion;
  int32_t m_chosen = pr::kNoEmotion;
  int m_demonstrationIndex = 0;
  CTaskFont m_labelFont;
  QelImage m_pictures[4];  // large, large pressed, small, small pressed

  std::thread m_warningThread;
  std::thread m_feedbackThread;
  std::atomic<bool> m_warningRunning{false};
  std::atomic<bool> m_feedbackRunning{false};
  std::atomic<bool> m_stopThreads{false};
};

}  // namespace qel
