// The dot patterns of the dots task: how many dots, where they may stand,
// the two picking passes, the jitter and the drawing arithmetic.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "tasks/plugins/sad/DotPattern.h"

namespace qel {

namespace {

using sad::CDotPattern;

constexpr int kPatterns = 3000;

std::vector<int> Dots(const CDotPattern& p) {
  std::vector<int> cells;
  for (int c = 0; c < CDotPattern::kCells; ++c) {
    if (p.HasDot(c)) cells.push_back(c);
  }
  return cells;
}

bool RowsAndColumnsDiffer(const std::vector<int>& cells) {
  std::set<int> rows, columns;
  for (int c : cells) {
    rows.insert(c / 3);
    columns.insert(c % 3);
  }
  return rows.size() == cells.size() && columns.size() == cells.size();
}

// Every pattern holds the dots asked for; 3 and 4 dots never take the
// centre; 5 and 6 dots are made by picking 4 or 3 empty cells.
TEST(DotPattern, CountsCentreAndPickedCells) {
  CDotPattern p(7);
  bool centreUsed[7] = {};
  for (int i = 0; i < kPatterns; ++i) {
    const int n = 3 + i % 4;
    SCOPED_TRACE(testing::Message() << "pattern " << i << " of " << n << " dots");
    ASSERT_TRUE(p.New(n));
    ASSERT_EQ(p.DotCount(), n);
    int picked = 0;
    for (int c = 0; c < CDotPattern::kCells; ++c) picked += p.Mark(c) == CDotPattern::kMarkPicked ? 1 : 0;
    EXPECT_EQ(picked, n >= 5 ? 9 - n : n);
    if (n < 5) {
      EXPECT_EQ(p.Mark(CDotPattern::kCentre), CDotPattern::kMarkCentre);
      EXPECT_FALSE(p.HasDot(CDotPattern::kCentre));
    }
    centreUsed[n] = centreUsed[n] || p.HasDot(CDotPattern::kCentre);
  }
  EXPECT_TRUE(centreUsed[5] && centreUsed[6]) << "with 5 and 6 dots the centre may hold one";
}

// Pass 0 takes no two cells of one row or column. Three dots therefore
// stand in three rows and three columns, unless pass 0 took two opposite
// corners first: then no third cell is free of both (the centre is out)
// and pass 1 adds one beside them. Six dots leave three empty cells that
// pass 0 always finds apart.
TEST(DotPattern, FirstPassKeepsRowsAndColumnsApart) {
  CDotPattern p(11);
  int apart = 0, corners = 0;
  for (int i = 0; i < kPatterns; ++i) {
    ASSERT_TRUE(p.New(3));
    const std::vector<int> dots = Dots(p);
    if (RowsAndColumnsDiffer(dots)) {
      ++apart;
      continue;
    }
    ++corners;
    const std::set<int> cells(dots.begin(), dots.end());
    EXPECT_TRUE((cells.count(0) && cells.count(8)) || (cells.count(2) && cells.count(6)))
        << "two dots share a row or column only after opposite corners";
  }
  EXPECT_GT(apart, corners);
  EXPECT_GT(corners, 0);
  for (int i = 0; i < kPatterns / 4; ++i) {
    ASSERT_TRUE(p.New(6));
    std::vector<int> empty;
    for (int c = 0; c < CDotPattern::kCells; ++c) {
      if (!p.HasDot(c)) empty.push_back(c);
    }
    EXPECT_TRUE(RowsAndColumnsDiffer(empty));
  }
}

// Each dot moves to one of the eight neighbouring offsets, all of them in
// use, never staying on its cell's place.
TEST(DotPattern, JitterIsOneOfTheEightNeighbours) {
  CDotPattern p(3);
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i < 500; ++i) {
    ASSERT_TRUE(p.New(4));
    for (int c = 0; c < CDotPattern::kCells; ++c) {
      const int x = p.JitterX(c), y = p.JitterY(c);
      if (!p.HasDot(c)) {
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
        continue;
      }
      EXPECT_TRUE(x >= -1 && x <= 1 && y >= -1 && y <= 1);
      EXPECT_FALSE(x == 0 && y == 0);
      seen.insert({x, y});
    }
  }
  EXPECT_EQ(seen.size(), 8u);
}

TEST(DotPattern, SameSeedSamePatternsAndRefusedCounts) {
  CDotPattern a(5), b(5), c(6);
  bool differs = false;
  for (int i = 0; i < 50; ++i) {
    a.New(3 + i % 4);
    b.New(3 + i % 4);
    c.New(3 + i % 4);
    for (int cell = 0; cell < CDotPattern::kCells; ++cell) {
      EXPECT_EQ(a.Mark(cell), b.Mark(cell));
      EXPECT_EQ(a.JitterX(cell), b.JitterX(cell));
      differs = differs || a.Mark(cell) != c.Mark(cell);
    }
  }
  EXPECT_TRUE(differs) << "another seed, other patterns";
  const std::vector<int> before = Dots(a);
  EXPECT_FALSE(a.New(2));
  EXPECT_FALSE(a.New(7));
  EXPECT_EQ(Dots(a), before) << "a refused count leaves the pattern";
  // A reset keeps the marks: a redraw would show the picked cells, which for
  // five dots are the four empty ones.
  ASSERT_TRUE(a.New(5));
  a.Reset();
  EXPECT_EQ(a.DotCount(), 4);
  for (int cell = 0; cell < CDotPattern::kCells; ++cell) {
    EXPECT_EQ(a.HasDot(cell), a.Mark(cell) == CDotPattern::kMarkPicked);
    EXPECT_EQ(a.JitterX(cell), 0);
  }
}

// Top-left corners: centre + frame x (grid + jitter) / 9, truncated toward
// zero; the grid steps are -3, 0, 3.
TEST(DotPattern, DotCornersFromGridAndJitter) {
  struct Case {
    int frame, cell, gridX, gridY;
  };
  for (const Case& k :
       {Case{136, 0, -3, -3}, Case{136, 4, 0, 0}, Case{136, 8, 3, 3}, Case{171, 5, 3, 0}, Case{171, 6, -3, 3}}) {
    EXPECT_EQ(CDotPattern::GridX(k.cell), k.gridX);
    EXPECT_EQ(CDotPattern::GridY(k.cell), k.gridY);
  }
  CDotPattern p(9);
  for (int i = 0; i < 200; ++i) {
    p.New(6);
    for (int c = 0; c < CDotPattern::kCells; ++c) {
      if (!p.HasDot(c)) continue;
      const QelPoint corner = p.DotCorner(320, 240, 136, c);
      const int dx = 136 * (CDotPattern::GridX(c) + p.JitterX(c)) / 9;
      const int dy = 136 * (CDotPattern::GridY(c) + p.JitterY(c)) / 9;
      EXPECT_EQ(corner.x, 320 + dx);
      EXPECT_EQ(corner.y, 240 + dy);
      EXPECT_LE(std::abs(dx), 60) << "-4 x 136 / 9 is -60.4, truncated toward zero";
    }
  }
}

}  // namespace

}  // namespace qel
