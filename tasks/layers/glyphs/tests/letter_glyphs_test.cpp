#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tasks/layers/glyphs/LetterGlyphs.h"

namespace qel {

namespace {

using qel::GetLetterGlyph;
using qel::kGlyphColumns;
using qel::kGlyphRows;

constexpr int kCells = kGlyphRows * kGlyphColumns;

// Strokes of a glyph as drawn: intact letters draw values 1 and 2,
// degraded letters value 1 only.
std::vector<bool> Drawn(const uint8_t* glyph, bool degraded) {
  std::vector<bool> on(kCells);
  for (int i = 0; i < kCells; ++i) on[i] = glyph[i] == 1 || (glyph[i] == 2 && !degraded);
  return on;
}

// Connected pieces, neighbours in all eight directions.
int Pieces(const std::vector<bool>& on) {
  std::vector<bool> seen(kCells);
  int pieces = 0;
  for (int start = 0; start < kCells; ++start) {
    if (!on[start] || seen[start]) continue;
    ++pieces;
    std::vector<int> stack{start};
    seen[start] = true;
    while (!stack.empty()) {
      const int cell = stack.back();
      stack.pop_back();
      const int r = cell / kGlyphColumns, c = cell % kGlyphColumns;
      for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
          const int rr = r + dr, cc = c + dc;
          if (rr < 0 || rr >= kGlyphRows || cc < 0 || cc >= kGlyphColumns) continue;
          const int next = rr * kGlyphColumns + cc;
          if (on[next] && !seen[next]) {
            seen[next] = true;
            stack.push_back(next);
          }
        }
      }
    }
  }
  return pieces;
}

int Distance(const std::vector<bool>& a, const std::vector<bool>& b) {
  int d = 0;
  for (int i = 0; i < kCells; ++i) d += a[i] != b[i];
  return d;
}

TEST(LetterGlyphs, VowelsShowTheMaskOfEightRowsOfFourDots) {
  const uint8_t* mask = qel::GetMaskGlyph();
  ASSERT_NE(mask, nullptr);
  for (char vowel : std::string("AEIOUY")) {
    SCOPED_TRACE(vowel);
    EXPECT_EQ(GetLetterGlyph(vowel), mask);
    EXPECT_EQ(qel::kLetterGlyphTable[vowel - 'A'], mask);
  }
  for (int r = 0; r < kGlyphRows; ++r) {
    for (int c = 0; c < kGlyphColumns; ++c) {
      const bool dot = r % 3 == 0 && c % 3 == 1;
      EXPECT_EQ(mask[r * kGlyphColumns + c], dot ? 2 : 0xFF) << "row " << r << " column " << c;
    }
  }
  // Drawn degraded, the mask vanishes altogether.
  EXPECT_EQ(Pieces(Drawn(mask, true)), 0);
}

TEST(LetterGlyphs, OnlyUpperCaseLettersHaveGlyphs) {
  for (int ch = CHAR_MIN; ch <= CHAR_MAX; ++ch) {
    const bool letter = ch >= 'A' && ch <= 'Z';
    EXPECT_EQ(GetLetterGlyph(static_cast<char>(ch)) != nullptr, letter) << ch;
  }
  for (int i = 0; i < 26; ++i) EXPECT_EQ(qel::kLetterGlyphTable[i], GetLetterGlyph(static_cast<char>('A' + i)));
}

TEST(LetterGlyphs, EveryGlyphHoldsOnlyCellValuesAndEmptyPadding) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    SCOPED_TRACE(letter);
    const uint8_t* glyph = GetLetterGlyph(letter);
    for (int i = 0; i < kCells; ++i) {
      EXPECT_TRUE(glyph[i] == 0xFF || glyph[i] == 1 || glyph[i] == 2) << "cell " << i;
    }
    for (int i = kCells; i < qel::kGlyphBytes; ++i) EXPECT_EQ(glyph[i], 0xFF) << "padding byte " << i;
  }
}

// One consonant: the rows its strokes must reach (ascender letters start at
// row 0, descender letters end at row 22, the x-height is rows 6 to 16) and
// the pieces of its intact form (j has its dot).
struct Consonant {
  char letter;
  int top;
  int bottom;
  int pieces;
};

void PrintTo(const Consonant& c, std::ostream* os) { *os << c.letter; }

class ConsonantGlyph : public testing::TestWithParam<Consonant> {};

TEST_P(ConsonantGlyph, IsALowerCaseShapeWithStrokesTwoCellsWide) {
  const Consonant& c = GetParam();
  const uint8_t* glyph = GetLetterGlyph(c.letter);
  ASSERT_NE(glyph, nullptr);
  EXPECT_NE(glyph, qel::GetMaskGlyph());
  const std::vector<bool> on = Drawn(glyph, false);

  int top = kGlyphRows, bottom = -1;
  for (int i = 0; i < kCells; ++i) {
    if (!on[i]) continue;
    top = std::min(top, i / kGlyphColumns);
    bottom = std::max(bottom, i / kGlyphColumns);
  }
  EXPECT_EQ(top, c.top);
  EXPECT_EQ(bottom, c.bottom);
  EXPECT_EQ(Pieces(on), c.pieces);

  // Every stroke cell lies in a 2 x 2 block of stroke cells: no hairlines.
  for (int r = 0; r < kGlyphRows; ++r) {
    for (int col = 0; col < kGlyphColumns; ++col) {
      if (!on[r * kGlyphColumns + col]) continue;
      bool inBlock = false;
      for (int r0 = r - 1; r0 <= r; ++r0) {
        for (int c0 = col - 1; c0 <= col; ++c0) {
          if (r0 < 0 || c0 < 0 || r0 + 1 >= kGlyphRows || c0 + 1 >= kGlyphColumns) continue;
          inBlock = inBlock || (on[r0 * kGlyphColumns + c0] && on[r0 * kGlyphColumns + c0 + 1] &&
                                on[(r0 + 1) * kGlyphColumns + c0] && on[(r0 + 1) * kGlyphColumns + c0 + 1]);
        }
      }
      EXPECT_TRUE(inBlock) << "thin stroke at row " << r << " column " << col;
    }
  }
}

TEST_P(ConsonantGlyph, DegradedFormIsBrokenButStillThisLetter) {
  const Consonant& c = GetParam();
  const uint8_t* glyph = GetLetterGlyph(c.letter);
  ASSERT_NE(glyph, nullptr);
  const std::vector<bool> intact = Drawn(glyph, false);
  const std::vector<bool> degraded = Drawn(glyph, true);

  int strokes = 0, kept = 0;
  for (int i = 0; i < kCells; ++i) {
    strokes += intact[i];
    kept += degraded[i];
  }
  // A few gaps: between a twentieth and a quarter of the strokes go.
  EXPECT_GE(strokes - kept, strokes / 20);
  EXPECT_LE(strokes - kept, strokes / 4);
  EXPECT_GT(Pieces(degraded), Pieces(intact)) << "the gaps must cut strokes through";

  // The nearest intact letter to the degraded form is the letter itself.
  const int own = Distance(degraded, intact);
  for (char other = 'A'; other <= 'Z'; ++other) {
    if (other == c.letter) continue;
    EXPECT_LT(own, Distance(degraded, Drawn(GetLetterGlyph(other), false))) << "looks like " << other;
  }
}

TEST(LetterGlyphs, ConsonantsAreTwentyDistinctGlyphs) {
  std::vector<const uint8_t*> seen;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const uint8_t* glyph = GetLetterGlyph(letter);
    if (glyph == qel::GetMaskGlyph()) continue;
    for (const uint8_t* other : seen) EXPECT_NE(Drawn(glyph, false), Drawn(other, false)) << letter;
    seen.push_back(glyph);
  }
  EXPECT_EQ(seen.size(), 20u);
}

INSTANTIATE_TEST_SUITE_P(All, ConsonantGlyph,
                         testing::Values(Consonant{'B', 0, 16, 1}, Consonant{'C', 6, 16, 1}, Consonant{'D', 0, 16, 1},
                                         Consonant{'F', 0, 16, 1}, Consonant{'G', 6, 22, 1}, Consonant{'H', 0, 16, 1},
                                         Consonant{'J', 2, 22, 2}, Consonant{'K', 0, 16, 1}, Consonant{'L', 0, 16, 1},
                                         Consonant{'M', 6, 16, 1}, Consonant{'N', 6, 16, 1}, Consonant{'P', 6, 22, 1},
                                         Consonant{'Q', 6, 22, 1}, Consonant{'R', 6, 16, 1}, Consonant{'S', 6, 16, 1},
                                         Consonant{'T', 2, 16, 1}, Consonant{'V', 6, 16, 1}, Consonant{'W', 6, 16, 1},
                                         Consonant{'X', 6, 16, 1}, Consonant{'Z', 6, 16, 1}),
                         [](const testing::TestParamInfo<Consonant>& info) {
                           return std::string(1, info.param.letter);
                         });

}  // namespace

}  // namespace qel
