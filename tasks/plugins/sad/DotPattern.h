// The dots of one trial of "Sustained Attention Dots": a 3 x 3 grid of cells
// (0 top left, row by row), a dot in some of them, each dot moved by one
// step to one of the eight neighbouring offsets.
//
// A pattern of 3 or 4 dots picks its cells and never uses the centre; one of
// 5 or 6 dots picks the 4 or 3 empty cells instead. Picking runs in two
// passes: a cell drawn in pass 0 is taken only when no pick stands in its
// row or column yet, in pass 1 when at most one does; a refused cell is not
// drawn again in the same pass. The pattern stands after pass 1 as it is.
#pragma once

#include <cstdint>
#include <random>

#include "include/qel/DrawContext.h"

namespace qel {

namespace sad {

class CDotPattern {
 public:
  static constexpr int kCells = 9;
  static constexpr int kCentre = 4;
  static constexpr int kMinDots = 3;
  static constexpr int kMaxDots = 6;
  // Cell marks: untouched, looked at and refused in pass j (j + 1), the
  // excluded centre, picked.
  static constexpr uint8_t kMarkFree = 0;
  static constexpr uint8_t kMarkCentre = 2;
  static constexpr uint8_t kMarkPicked = 255;
  // Design offsets of the cells: -3, 0, 3 across a row and down the rows.
  static constexpr int kGridStep = 3;
  static constexpr int kGridDivisions = 9;

  // The draws come from one generator seeded once.
  explicit CDotPattern(uint32_t seed = 1) : m_random(seed) {}

  // A new pattern of n dots; false (nothing changes) for n outside 3..6.
  bool New(int n);
  // Marks and jitters kept, the dot range and jitters back to their start
  // (no pattern shows until the next New).
  void Reset();

  bool HasDot(int cell) const;
  int DotCount() const;
  uint8_t Mark(int cell) const { return m_marks[cell]; }
  int JitterX(int cell) const { return m_jitterX[cell]; }
  int JitterY(int cell) const { return m_jitterY[cell]; }
  static int GridX(int cell) { return (cell % 3 - 1) * kGridStep; }
  static int GridY(int cell) { return (cell / 3 - 1) * kGridStep; }

  // Top-left corner of a cell's dot in a frame of size `frame` centred at
  // (x, y): x + frame x (grid + jitter) / 9, truncated toward zero.
  QelPoint DotCorner(int x, int y, int frame, int cell) const;
  // The dots as squares of `side` pixels in the colour.
  void Draw(CDC* dc, int x, int y, int frame, int side, COLORREF colour) const;

 private:
  // A whole number in [0, n), every value equally likely.
  uint32_t Below(uint32_t n);
  void Pick(int pool, int picks);
  void Jitter();

  std::mt19937 m_random;
  uint8_t m_marks[kCells] = {};
  uint8_t m_low = 128;  // a cell holds a dot when its mark lies in low..high
  uint8_t m_high = 255;
  int m_jitterX[kCells] = {};
  int m_jitterY[kCells] = {};
};

}  // namespace sad

}  // namespace qel
