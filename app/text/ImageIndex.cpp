#include "app/text/ImageIndex.h"

namespace qel {

int GetImageIndex(int kind) {
  static const int kIndexes[39] = {
      66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82,  82,  82,  83,
      84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102,
  };
  if (kind < 0 || kind >= 39) return 65;
  return kIndexes[kind];
}

}  // namespace qel
