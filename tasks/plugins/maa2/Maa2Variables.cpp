#include "tasks/plugins/maa2/Maa2Variables.h"

#include <iterator>

#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/maa2/Maa2TrialLists.h"

namespace qel {

namespace maa2 {

// Suffix "_a2": kinds 1 to 4 and the pairs 1+2 and 3+4.
ARITH_ADDITION_TABLES(kAdditionTwo, "_a2", Maa2);

}  // namespace maa2

}  // namespace qel
