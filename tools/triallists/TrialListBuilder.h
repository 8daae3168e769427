// Builds one trial list from its spec:
// 1. every kind gives its count of trials;
// 2. the memory items of each kind are spread over the kind's positions in
//    blocks, so that within every category and over the whole list each
//    item stands on each of its positions equally often (within one);
// 3. the other positions get distractors, no character twice in a code and
//    no code twice in the list, the distractors used about equally often;
// 4. for letters, a quarter (rounded down) of the memory letters and a
//    quarter of the distractors are degraded (lower case), the rest intact;
// 5. the trials are put in an order with no more than kMaxRun trials of the
//    same correct answer in a row.
#pragma once

#include <string>
#include <vector>

#include "tools/triallists/TrialListSpec.h"

namespace qel {

namespace triallists {

// Throws std::runtime_error when the requested balance cannot be met.
std::vector<std::string> BuildTrialList(const TrialListSpec& spec);

// The longest run of neighbours with the same answer (target or not); in a
// cyclic list runs go on across its end.
int LongestRun(const std::vector<bool>& targets, bool cyclic);

}  // namespace triallists

}  // namespace qel
