#include "tasks/plugins/sad/DotPattern.h"

#include "include/qel/UniformDraw.h"

namespace qel {

namespace sad {

namespace {

// Marks of the cells that hold a dot: picked cells for 3 and 4 dots, the
// cells left unpicked for 5 and 6.
constexpr uint8_t kPickedLow = 128;
constexpr uint8_t kPickedHigh = 255;
constexpr uint8_t kUnpickedLow = 0;
constexpr uint8_t kUnpickedHigh = 127;
// Patterns from this many dots on pick their empty cells.
constexpr int kPickEmptyFrom = 5;
constexpr int kPasses = 2;
// Jitter: one of the eight neighbouring offsets, never (0, 0).
constexpr uint32_t kJitterChoices = 8;
constexpr uint32_t kJitterCentre = 4;

}  // namespace

uint32_t CDotPattern::Below(uint32_t n) { return static_cast<uint32_t>(QelDrawBelow(m_random, n)); }

bool CDotPattern::New(int n) {
  if (n < kMinDots || n > kMaxDots) return false;
  for (uint8_t& mark : m_marks) mark = kMarkFree;
  int pool;
  int picks;
  if (n >= kPickEmptyFrom) {
    m_low = kUnpickedLow;
    m_high = kUnpickedHigh;
    pool = kCells;
    picks = kCells - n;
  } else {
    m_low = kPickedLow;
    m_high = kPickedHigh;
    m_marks[kCentre] = kMarkCentre;
    pool = kCells - 1;
    picks = n;
  }
  Pick(pool, picks);
  Jitter();
  return true;
}

void CDotPattern::Pick(int pool, int wanted) {
  int picks = 0;
  int inRow[3] = {0, 0, 0};
  int inColumn[3] = {0, 0, 0};
  for (int pass = 0; pass < kPasses && picks < wanted; ++pass) {
    int eligible = pool - picks;
    while (picks < wanted && eligible > 0) {
      const uint32_t r = Below(static_cast<uint32_t>(eligible));
      // The (r + 1)-th cell still open in this pass, row by row.
      int cell = -1;
      uint32_t seen = 0;
      for (int c = 0; c < kCells; ++c) {
        if (m_marks[c] > pass) continue;
        if (seen++ == r) {
          cell = c;
          break;
        }
      }
      if (cell < 0) break;
      m_marks[cell] = static_cast<uint8_t>(pass + 1);
      --eligible;
      const int row = cell / 3;
      const int column = cell % 3;
      if (inRow[row] > pass || inColumn[column] > pass) continue;
      m_marks[cell] = kMarkPicked;
      ++picks;
      ++inRow[row];
      ++inColumn[column];
    }
  }
}

void CDotPattern::Jitter() {
  for (int c = 0; c < kCells; ++c) {
    if (!HasDot(c)) {
      m_jitterX[c] = m_jitterY[c] = 0;
      continue;
    }
    uint32_t q = Below(kJitterChoices);
    if (q >= kJitterCentre) ++q;
    m_jitterX[c] = static_cast<int>(q % 3) - 1;
    m_jitterY[c] = static_cast<int>(q / 3) - 1;
  }
}

void CDotPattern::Reset() {
  m_low = kPickedLow;
  m_high = kPickedHigh;
  for (int c = 0; c < kCells; ++c) m_jitterX[c] = m_jitterY[c] = 0;
}

bool CDotPattern::HasDot(int cell) const {
  return cell >= 0 && cell < kCells && m_marks[cell] >= m_low && m_marks[cell] <= m_high;
}

int CDotPattern::DotCount() const {
  int count = 0;
  for (int c = 0; c < kCells; ++c) count += HasDot(c) ? 1 : 0;
  return count;
}

QelPoint CDotPattern::DotCorner(int x, int y, int frame, int cell) const {
  return {x + frame * (GridX(cell) + m_jitterX[cell]) / kGridDivisions,
          y + frame * (GridY(cell) + m_jitterY[cell]) / kGridDivisions};
}

void CDotPattern::Draw(CDC* dc, int x, int y, int frame, int side, COLORREF colour) const {
  if (!dc) return;
  for (int c = 0; c < kCells; ++c) {
    if (!HasDot(c)) continue;
    const QelPoint corner = DotCorner(x, y, frame, c);
    dc->FillSolidRect(corner.x, corner.y, side, side, colour);
  }
}

}  // namespace sad

}  // namespace qel
