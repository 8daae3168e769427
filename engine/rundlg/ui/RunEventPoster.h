// Where the trial state machine and the run's worker threads post their run
// events: queued as notify events to the run dialog, which hands each to
// the machine on the user-interface thread.
#pragma once

#include "engine/run/RunEventSink.h"

class wxEvtHandler;

namespace qel {

class CRunEventPoster final : public IRunEventSink {
 public:
  explicit CRunEventPoster(wxEvtHandler* target) : m_target(target) {}
  void PostRunEvent(int32_t code, intptr_t lParam) override;

 private:
  wxEvtHandler* m_target;
};

}  // namespace qel
