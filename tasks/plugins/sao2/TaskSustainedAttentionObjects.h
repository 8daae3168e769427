// "Sustained Attention Objects 2 keys": a house with four windows stays on
// the screen; on every trial an animal looks out of one window and the
// testee presses the yes-key when it is the target animal of the version
// and the no-key otherwise. After an anticipation or an omission the next
// animal appears one window further on (round the four windows), so that a
// testee who answers before looking meets a changed picture.
//
// Trial codes: the animal '1'..'6' (1 cat, 2 fish, 3 snail, 4 butterfly,
// 5 bee, 6 bird; BITMAP resources 101..106), then the window '1'..'4'.
#pragma once

#include <cstdint>

#include "tasks/layers/house/HousePicture.h"
#include "tasks/layers/sustained/TaskSustained.h"
#include "tasks/plugins/sao2/ui/ObjectsPage.h"

namespace qel {

class CTaskSustainedAttentionObjects final : public CTaskSustained {
 public:
  // Target animal per version: with two keys bee, bird, butterfly; with one
  // key (a model task set to one response key) cat, snail, fish.
  static constexpr char kTwoKeyTargets[] = "564";
  static constexpr char kOneKeyTargets[] = "132";
  // The demonstration's house: cat, fish and snail in windows 1-3; then the
  // target alone, its top-left corner this far left and up of the centre.
  static constexpr char kDemonstrationAnimals[] = "123";
  static constexpr int kTargetLeft = 48;
  static constexpr int kTargetUp = 50;
  // The warning and the feedback square: centred this far below the centre.
  static constexpr int kSquareDrop = 40;
  static constexpr COLORREF kWarningSquare = 0xFF0000;
  static constexpr COLORREF kFeedbackOffSquare = 0xFFFFFF;
  static constexpr int kSecondSizePercent = 100;

  CTaskSustainedAttentionObjects();

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;                  // 3
  void LoadTexts() override;                                                    // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  bool BeginRun(ITaskRunData* runData) override;                                // 11
  bool ShowWarning() override;                                                  // 13
  bool HideWarning() override;                                                  // 14
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool HideSignal(int32_t responseCode) override;                               // 17
  bool FeedbackOn() override;                                                   // 27
  bool FeedbackOff() override;                                                  // 28
  bool SetTrial(const char* code) override;                                     // 29
  int32_t ClassifyResponse(int32_t category, int32_t code) override;            // 31
  bool Demonstrate(ITaskRunData* runData) override;                             // 32

  // The target animal of the run's version and number of keys ('\0' without one).
  char TargetCharacter() const;
  // The house window (0..3) in which an animal of code window 1..4 shows.
  int ShownWindow(int codeWindow) const { return (m_rotation + codeWindow - 1) & 3; }
  int Rotation() const { return m_rotation; }
  const CHousePicture& House() const { return m_house; }

 private:
  // Decodes the animal pictures from the plug-in's resources once.
  void EnsurePictures();
  // The house 1:1 at the screen centre on the back surface, with the code's
  // animal when a code is given (not presented).
  void DrawHouseOnBack(const char* code);
  // The square of half side h below the centre on the front surface.
  void SquareOnFront(int h, COLORREF colour);

  CHousePicture m_house;
  bool m_picturesLoaded = false;
  CTaskPageObjects m_pageObject;
  int m_rotation = 0;  // windows the animal moves on after anticipations and omissions
};

}  // namespace qel
