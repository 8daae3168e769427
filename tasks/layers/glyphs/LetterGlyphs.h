// The block-glyph font of the letter tasks: lower-case letter shapes on a
// grid of 23 rows x 11 columns of cells, one byte per cell (cell (r, c) at
// r x 11 + c), each glyph padded to 256 bytes. Ascenders reach row 0, the
// x-height runs from row 6 to row 16, descenders reach row 22.
//
// A degraded letter is drawn without its cells of value 2, which leaves
// the letter recognisable but visibly broken.
#pragma once

#include <cstdint>

namespace qel {

inline constexpr int kGlyphRows = 23;
inline constexpr int kGlyphColumns = 11;
inline constexpr int kGlyphBytes = 256;

inline constexpr uint8_t kGlyphCellEmpty = 0xFF;
inline constexpr uint8_t kGlyphCellStroke = 1;      // drawn in intact and degraded letters
inline constexpr uint8_t kGlyphCellIntactOnly = 2;  // drawn in intact letters only

// Glyphs indexed by letter - 'A'. The vowels A, E, I, O, U and Y have no
// glyph of their own and point to the mask glyph (eight rows of four dots,
// all of value 2).
extern const uint8_t* const kLetterGlyphTable[26];

// The glyph of an upper-case letter 'A'..'Z'; null for any other character.
const uint8_t* GetLetterGlyph(char upper);

// The mask glyph.
const uint8_t* GetMaskGlyph();

}  // namespace qel
