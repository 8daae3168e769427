// Whether a run that has ended may be stored as a score. Only a run that
// went to its end is complete: one stopped by the operator (at a break or
// with the Stop button), aborted from outside, or ended by the plug-in with
// its break flag is not, except a series task whose plug-in reports its
// results done. A practice run is never stored.
#pragma once

#include <cstdint>

#include "engine/rundlg/RunBreakTexts.h"

namespace qel {

struct RunEndState {
  bool stopped = false;     // the operator stopped it, or it was aborted
  bool breakFlag = false;   // the plug-in's break flag in the host
  int32_t resultsDone = 0;  // the run data's result word after the compute-variables command
  uint32_t taskFlags = 0;
  bool practice = false;
};

inline bool IsRunComplete(const RunEndState& s) {
  return (!s.stopped && !s.breakFlag) || (s.resultsDone > 0 && TaskKind(s.taskFlags) == kTaskKindSeries);
}

inline bool IsRunSavable(const RunEndState& s) { return IsRunComplete(s) && !s.practice; }

}  // namespace qel
