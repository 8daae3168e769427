// Who hears of a run besides the run dialog: the window that started it
// (run started, run ended), and after a stored run the main view (the
// assessment written, to select) and the main frame (refresh its views).
// The run dialog implements it by sending and posting its notify events.
//
// Threads: called on the user-interface thread only.
#pragma once

#include <cstdint>

#include "ui/NotifyCodes.h"

namespace qel {

class IRunNotifier {
 public:
  virtual ~IRunNotifier() = default;

  // Sent to the window that started the run; nothing when there is none.
  virtual void NotifyCaller(QelNotifyCode code) = 0;
  // The run is over: later notifications go to no caller until one is set.
  virtual void ForgetCaller() = 0;
  // Sent to the main view; the notice (null for none) lives only for the call.
  virtual void NotifyMainView(QelNotifyCode code, const QelAssessmentNotice* notice) = 0;
  // Queued for the main frame.
  virtual void PostMainFrame(QelNotifyCode code, intptr_t payload) = 0;
};

}  // namespace qel
