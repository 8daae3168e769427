#include "tasks/layers/series/TaskFont.h"

#include <cstdint>
#include <limits>

namespace qel {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const int64_t magnitude = (product < 0 ? -product : product);
  const int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
  int64_t q = (magnitude + divisor / 2) / divisor;
  if ((product < 0) != (c < 0)) q = -q;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

void CTaskFont::CreateFromPoints(int points, int weight) {
  m_height = -MulDiv(points, kTaskLogPixelsY, 72);
  m_weight = weight;
  m_created = true;
}

void CTaskFont::Delete() {
  m_created = false;
  m_height = 0;
  m_weight = kFwNormal;
}

bool CTaskFont::Select(CDC* dc) const {
  if (!dc || !m_created) return false;
  dc->SetFont(nullptr, m_height, m_weight, false);
  return true;
}

void CTaskFont::Deselect(CDC* dc) {
  // Height 0 asks the context for its default font.
  if (dc) dc->SetFont(nullptr, 0, kFwNormal, false);
}

}  // namespace qel
