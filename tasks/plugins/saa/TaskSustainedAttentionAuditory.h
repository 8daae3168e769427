// "Sustained Attention Auditory": on every trial one of three tones (low,
// middle, high) sounds while the signal is on; the testee presses the one
// key only for the target tone of the version (version 1 the high tone,
// version 2 the low one, version 3 the middle one). False alarms are split
// by the tone they answered. Only the series number is drawn; the warning
// and the visual feedback are a note at the screen centre.
//
// Trial codes: '1' low, '2' middle, '3' high tone; any other character
// plays the fallback of 100 Hz and is no target.
//
// A tone the host cannot play is never a silent trial that counts: a run
// whose pitches the host refuses does not start, and a trial whose tone
// fails to sound is stored as excluded.
#pragma once

#include <cstdint>

#include "tasks/layers/sustained/TaskSustained.h"
#include "tasks/plugins/saa/ui/AuditoryPage.h"

namespace qel {

class CTaskSustainedAttentionAuditory final : public CTaskSustained {
 public:
  static constexpr int kFallbackFrequency = 100;
  static constexpr int kSecondSizePercent = 8;
  // Target character per version.
  static constexpr char kTargets[] = "312";
  // The demonstration: nine tones (low, middle, high three times), then the
  // target tone up to three times, each followed by 500 ms of silence.
  static constexpr int kDemonstrationTones = 9;
  static constexpr int kDemonstrationTargets = 3;
  static constexpr uint32_t kDemonstrationGapMs = 500;
  // Kinds of note: thick and short (low tone), middle, thin and long (high).
  enum NoteKind : int { kNoteLow = 1, kNoteMiddle = 2, kNoteHigh = 3 };

  CTaskSustainedAttentionAuditory();

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;                  // 3
  void LoadTexts() override;                                                    // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  bool BeginRun(ITaskRunData* runData) override;                                // 11
  bool ShowWarning() override;                                                  // 13
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool HideSignal(int32_t responseCode) override;                               // 17
  bool FeedbackOn() override;                                                   // 27
  bool FeedbackOff() override;                                                  // 28
  bool SetTrial(const char* code) override;                                     // 29
  int32_t ClassifyResponse(int32_t category, int32_t code) override;            // 31
  bool Demonstrate(ITaskRunData* runData) override;                             // 32

  // Hz of a code's tone: low, middle, high for '1', '2', '3', else 100.
  int FrequencyOf(char tone) const;
  // A note at (x, y) in the colour, its size from the second size.
  void DrawNote(CDC* dc, int x, int y, COLORREF colour, int kind) const;
  char TargetCharacter() const;

 private:
  // The tone of this many Hz looping; false when the host does not play it.
  bool StartTone(int frequency);
  // The note at the centre of the front surface.
  void NoteOnFront(COLORREF colour);
  // Plays a tone for ms then waits for the gap; false on Escape.
  bool PlayDemonstrationTone(int frequency, uint32_t ms);

  CTaskPageAuditory m_pageObject;
  char m_currentTone = 0;
  int m_frequencies[3] = {440, 660, 990};  // low, middle, high
  bool m_toneFailed = false;               // the current trial's tone did not sound
};

}  // namespace qel
