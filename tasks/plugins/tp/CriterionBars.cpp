#include "tasks/plugins/tp/CriterionBars.h"

#include <algorithm>

namespace qel {

CriterionBars ComputeCriterionBars(int width, int criterion) {
  CriterionBars bars;
  width = std::max(width, 0);
  criterion = std::clamp(criterion, 0, 100);
  bars.length = width * 100 / (200 - criterion);
  bars.upperLeft = 0;
  bars.upperRight = bars.length;
  bars.lowerLeft = width - bars.length;
  bars.lowerRight = width;
  if (bars.lowerLeft < bars.upperRight) {
    bars.overlapLeft = bars.lowerLeft;
    bars.overlapRight = bars.upperRight;
  }
  return bars;
}

}  // namespace qel
