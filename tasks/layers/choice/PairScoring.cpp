#include "tasks/layers/choice/PairScoring.h"

#include "tasks/layers/choice/CompatibilityTables.h"

#include <algorithm>

namespace qel {

namespace choice {

namespace {

// Rows of one category in a block.
constexpr int32_t kFullRows = 8;   // N, T, S, M, L, U, D, Z
constexpr int32_t kShortRows = 3;  // N, T, Z
// Offsets within a category's rows.
constexpr int32_t kRowN = 0;
constexpr int32_t kRowT = 1;
constexpr int32_t kFullRowZ = 7;
constexpr int32_t kShortRowZ = 2;

constexpr bool kMean = true;
constexpr bool kSum = false;

}  // namespace

int32_t StorePartTotal(ITaskRunData& runData, int32_t index, int32_t total) {
  if (index < 0) return index;
  if (total > 0) runData.SetValue(index, total, true);
  return index + 1;
}

int32_t ComputePairBlocks(ITaskRunData& runData, const IExpModelTask& context, int32_t index, int part,
                          const PartBlocks& blocks) {
  for (int b = 0; b < blocks.count && index >= 0; ++b) {
    const PairBlock& block = blocks.blocks[b];
    const int32_t first = index;
    if (block.kind == PairKind::kShort) {
      index = runData.ComputePartCountMeanZ(&context, index, part, block.list);
      if (index < 0) return index;
      const int32_t second = first + kShortRows;
      index = runData.CombinePair(index, first + kRowN, second + kRowN, kSum);
      index = runData.CombinePair(index, first + kShortRowZ, second + kShortRowZ, kMean);
      continue;
    }
    index = runData.ComputePartExtendedNoCount(&context, index, part, block.list);
    if (index < 0) return index;
    const int32_t second = first + kFullRows;
    if (block.kind == PairKind::kFullWithCount) index = runData.CombinePair(index, first + kRowN, second + kRowN, kSum);
    index = runData.CombinePair(index, first + kRowT, second + kRowT, kMean);
    index = runData.CombinePair(index, first + kFullRowZ, second + kFullRowZ, kMean);
  }
  return index;
}

int32_t ComputePairParts(ITaskRunData& runData, const IExpModelTask& context, int32_t index, const PartBlocks* parts,
                         int partCount) {
  for (int p = 0; p < partCount && index >= 0; ++p) {
    const int32_t stored = static_cast<int32_t>(std::min<uint32_t>(context.trialCounts[p], kMaxResponses));
    index = StorePartTotal(runData, index, stored);
    index = ComputePairBlocks(runData, context, index, p, parts[p]);
    if (index < 0) return index;
    index = runData.CountPartOutcomes(&context, index, p);
  }
  return index;
}

int32_t ComputeCompatibilityParts(ITaskRunData& runData, const IExpModelTask& context, int32_t index,
                                  const QelCodeList (&lists)[kCompatibilityLists]) {
  const PairBlock blocks[kCompatibilityLists] = {
      {PairKind::kFull, &lists[0]},  {PairKind::kShort, &lists[1]}, {PairKind::kFull, &lists[2]},
      {PairKind::kShort, &lists[3]}, {PairKind::kFull, &lists[4]},  {PairKind::kShort, &lists[5]},
      {PairKind::kFull, &lists[6]},  {PairKind::kShort, &lists[7]},
  };
  const PartBlocks parts[kCompatibilityParts] = {{&blocks[0], 2}, {&blocks[2], 2}, {&blocks[4], 4}};
  return ComputePairParts(runData, context, index, parts, kCompatibilityParts);
}

}  // namespace choice

}  // namespace qel
