// Task classes of the framework's in-process tests, with the base's state
// opened up for checking, and a bound set of fakes around one of them.
#pragma once

#include <memory>

#include "taskfw/TaskBase.h"
#include "taskfw/TaskPlugin.h"
#include "tests/support/fakes/FakeTaskSurroundings.h"

namespace qel {

// A task with two versions, two parts, a small variable table and the
// base behaviour everywhere else.
class CoreTask : public CTaskBase {
 public:
  CoreTask();

  using CTaskBase::m_backColour;
  using CTaskBase::m_captionCount;
  using CTaskBase::m_captions;
  using CTaskBase::m_centreX;
  using CTaskBase::m_centreY;
  using CTaskBase::m_codes1234;
  using CTaskBase::m_codes134;
  using CTaskBase::m_currentCode;
  using CTaskBase::m_cursorHidden;
  using CTaskBase::m_feedbackColour;
  using CTaskBase::m_feedbackSoundReady;
  using CTaskBase::m_maxX;
  using CTaskBase::m_maxY;
  using CTaskBase::m_minX;
  using CTaskBase::m_pairNormMean;
  using CTaskBase::m_partIndex;
  using CTaskBase::m_practice;
  using CTaskBase::m_runArg;
  using CTaskBase::m_scale;
  using CTaskBase::m_size;
  using CTaskBase::m_sizePercent;
  using CTaskBase::m_taskWords;
  using CTaskBase::m_texts;
  using CTaskBase::m_trialCount;
  using CTaskBase::m_trialList;
  using CTaskBase::m_trialSet;
  using CTaskBase::m_twoChoice;
  using CTaskBase::m_versionIndex;
  using CTaskBase::m_warningColour;

  // Texts: the English/Dutch/Italian ids of the test resources.
  void LoadTexts() override;
  int m_loadTextsCalls = 0;
  bool m_throwInLoadTexts = false;  // the texts cannot be had (std::bad_alloc)
};

// The task in the fakes of a host around it (800 x 600 display; parts of
// 10 and 12 trials).
struct BoundTask : FakeTaskSurroundings {
  BoundTask();
  // Command 0 then command 2.
  bool InitAndSetup();

  CoreTask task;
};

// The test program's own task object (the one the norm getters reach).
extern CoreTask g_coreTask;

}  // namespace qel
