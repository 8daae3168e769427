// What a run session needs of the task host besides the plug-ins' view of
// it (ITaskHost: trial list, break flag, run flags, texts): the run's clock
// and the run's view of the display handed over for a run and taken back
// after it, the break texts, break word, cursor and focus of the testee's
// display, and the interruption of a plug-in's waits. The program's
// implementation is over CTaskHost (ui/RunTaskHost.h).
//
// Threads: called on the user-interface thread only.
#pragma once

#include <string>

namespace qel {

class IRunClock;
class ITaskHost;

// What the break dialog on the testee's screen shows.
struct RunBreakDisplayTexts {
  std::string text;            // the instruction: task name and help texts
  std::string caption;         // the task name
  std::string stopQuestion;    // asked before a stop
  bool noStopConfirm = false;  // practice: a stop is not asked about
  bool showButton = false;     // the task offers the Show button
};

class IRunHost {
 public:
  virtual ~IRunHost() = default;

  // The host as plug-ins and the trial state machine see it.
  virtual ITaskHost& TaskHost() = 0;
  // For the run: the host reads the run's clock (not owned; it outlives the
  // run) and plug-ins draw through the run's view of the display.
  virtual void AttachRun(IRunClock& clock) = 0;
  // After the run: the host's own clock and display back. Also when nothing
  // was attached.
  virtual void DetachRun() = 0;
  // While set, a plug-in's waits give up (see CTaskHost::SetWaitsInterrupted).
  virtual void SetWaitsInterrupted(bool interrupted) = 0;

  virtual void SetBreakTexts(const RunBreakDisplayTexts& texts) = 0;
  // The display's break word (the display's break states).
  virtual void SetBreakState(int state) = 0;
  // The break dialog on the testee's screen goes away as its own Continue
  // would take it.
  virtual void CancelBreak() = 0;
  virtual void ShowCursor(bool show) = 0;
  // The keyboard focus to the testee's screen.
  virtual void FocusDisplay() = 0;
  // Whether the Space key on the testee's screen opens the break dialog.
  // While a task runs it does not: Space is the task's key, and breaks come
  // from the run's own break check (Escape, too many anticipations or
  // omissions).
  virtual void SetSpaceKeyBreaks(bool on) = 0;
};

}  // namespace qel
