// The codes that the left and the right response button report.
#pragma once

#include "include/qel/TaskHostInterface.h"

namespace qel {

// Left 1 and right 2, exchanged only when the task allows it and the hand
// setting is 1. The task host's own mapping operation uses this rule too.
inline void ApplyButtonMapping(ITaskHost* host, int hand, bool swappable) {
  if (!host) return;
  const bool exchange = swappable && hand == 1;
  host->leftCode = exchange ? 2 : 1;
  host->rightCode = exchange ? 1 : 2;
}

}  // namespace qel
