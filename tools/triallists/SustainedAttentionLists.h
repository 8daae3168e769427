// The trial lists of "Sustained Attention Objects 2 keys": per version a
// practice list and a test list of two-character codes (animal, window).
#pragma once

#include "tools/triallists/TaskTrialLists.h"

namespace qel {

namespace triallists {

// Throws std::runtime_error when a list cannot be ordered.
TaskTrialLists Sao2TrialLists();

}  // namespace triallists

}  // namespace qel
