// The framework's test plug-in task: tables, texts by language, trial
// lists, a picture and a parameter page, built only on the framework.
#pragma once

#include "taskfw/TaskBase.h"
#include "taskfw/tests/probe/ProbePage.h"

namespace qel {

class CTaskProbe final : public CTaskBase {
 public:
  // Texts, codes and colours the tests check against.
  static constexpr COLORREF kSquareColour = 0x00FF00;
  static constexpr int kPictureId = 201;
  static constexpr int kTestCodeCount = 3;
  static constexpr int kPracticeCodeCount = 4;
  static constexpr int kSecondCodeCount = 2;

  CTaskProbe();

  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  // A square of the second size at the centre; the picture at the top left
  // (upside down when b is set).
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;

 private:
  CTaskPageProbe m_pageObject;
};

}  // namespace qel
