// The variable computation the two-choice tasks share: per part the total
// number of trials, then blocks of two categories (left and right, or the
// two sides of a condition) with their statistics and the row that combines
// them, then the part's omissions, premature responses and interrupts. The
// rows come out in the order the CHOICE_... groups of ChoiceVariables.h lay
// them out.
#pragma once

#include <cstdint>

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/TaskRunDataInterface.h"
#include "include/qel/TaskTables.h"

namespace qel {

namespace choice {

enum class PairKind {
  // Eight RT rows per category (CHOICE_FULL twice), then the mean of the
  // two mean RTs and of the two Z-scores (CHOICE_MEAN_PAIR).
  kFull,
  // The same with the sum of the two counts before the means
  // (CHOICE_COUNT, CHOICE_MEAN_PAIR).
  kFullWithCount,
  // N, mean RT and Z of N per category (CHOICE_SHORT twice), then the sum
  // of the two counts and the mean of the two Z-scores (CHOICE_SUM_PAIR).
  kShort,
};

// One block: its kind and the list of its two categories with their getters.
struct PairBlock {
  PairKind kind;
  const QelCodeList* list;
};

// The blocks of one part.
struct PartBlocks {
  const PairBlock* blocks;
  int count;
};

// Stores the part's total number of trials at index when there is one (the
// row keeps its place otherwise); returns index + 1.
int32_t StorePartTotal(ITaskRunData& runData, int32_t index, int32_t total);

// The blocks of a part from index on, over the part's stored trials; stops
// at a negative index.
int32_t ComputePairBlocks(ITaskRunData& runData, const IExpModelTask& context, int32_t index, int part,
                          const PartBlocks& blocks);

// From index on, for every part: the total, the blocks, then omissions,
// premature responses and interrupts; stops at a negative index.
int32_t ComputePairParts(ITaskRunData& runData, const IExpModelTask& context, int32_t index, const PartBlocks* parts,
                         int partCount);

}  // namespace choice

}  // namespace qel
