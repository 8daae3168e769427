#include "tasks/plugins/mam1/Mam1Variables.h"

#include <iterator>

#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/mam1/Mam1TrialLists.h"

namespace qel {

namespace mam1 {

// Suffix "_m1": kinds 1 and 2 (products below 20 and of 20 or more) and their pair 1+2.
ARITH_MULTIPLICATION_TABLES("_m1", Mam1);

}  // namespace mam1

}  // namespace qel
