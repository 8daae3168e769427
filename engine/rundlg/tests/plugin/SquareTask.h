// The run dialog tests' plug-in, on the task framework: a host-timed task
// that shows a white square as its signal and takes the Shift/Ctrl keys as
// responses. When it computes its variables it reports, per trial, the run time at which the
// Present of the signal returned (variable i = trial i).
#pragma once

#include "taskfw/TaskBase.h"

namespace qel {

class CTaskSquare final : public CTaskBase {
 public:
  static constexpr COLORREF kSquareColour = 0xFFFFFF;
  static constexpr int kMaxTimes = 1000;

  CTaskSquare();

  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  bool HideSignal(int32_t responseCode) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

 private:
  uint32_t m_presented[kMaxTimes] = {};
  int m_shown = 0;
};

}  // namespace qel
