#include "tasks/plugins/maa1/Maa1Variables.h"

#include <iterator>

#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/maa1/Maa1TrialLists.h"

namespace qel {

namespace maa1 {

// Suffix "_a1": kinds 1 to 4 and the pairs 1+2 and 3+4.
ARITH_ADDITION_TABLES(kAdditionOne, "_a1", Maa1);

}  // namespace maa1

}  // namespace qel
