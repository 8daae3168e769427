#include "tasks/layers/letters/TaskLetters.h"

#include "tasks/layers/glyphs/LetterGlyphs.h"

namespace qel {

namespace {

// The four masks between trials.
constexpr char kEmptyCode[kTrialCodeSize] = "0000";

}  // namespace

CTaskLetters::CTaskLetters() = default;

bool CTaskLetters::SetupScreen(IDDDisplay* display, bool practice) {
  const bool ok = CTaskBase::SetupScreen(display, practice);
  // The letters are a fixed share of the screen height (centre y is half of it).
  m_letterHeight = static_cast<int>(m_centreY * m_letterPercent * m_scale * 0.02);
  m_blockWidth = m_letterHeight / qel::kGlyphRows;
  if (m_blockWidth < 1) m_blockWidth = 1;
  m_blockHeight = m_blockWidth;
  const int dx = m_letterHeight * 66 / 46;
  const int dy = m_letterHeight * 5 / 4;
  for (int i = 0; i < kPositions; ++i) {
    m_offsetX[i] = (i == 0 || i == 2) ? -dx : dx;
    m_offsetY[i] = (i < 2) ? -dy : dy;
  }
  return ok;
}

void CTaskLetters::DisplayedCode(const char* code, char (&out)[kTrialCodeSize]) const {
  msfa::CopyTrialCode(code, out);
}

bool CTaskLetters::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  const char* code = reinterpret_cast<const char*>(a);
  if (!dc || !code) return true;
  char letters[kTrialCodeSize];
  DisplayedCode(code, letters);
  DrawCode(dc, letters);
  return true;
}

void CTaskLetters::DrawLetter(CDC* dc, char letter, int x, int y) {
  if (!dc) return;
  const uint8_t* glyph = nullptr;
  m_degraded = false;
  if (letter >= 'A' && letter <= 'Z') {
    glyph = qel::GetLetterGlyph(letter);
  } else if (letter >= 'a' && letter <= 'z') {
    glyph = qel::GetLetterGlyph(UpperCase(letter));
    m_degraded = true;
  } else if (letter == '0' || letter == '-') {
    glyph = qel::GetMaskGlyph();
  }
  if (!glyph) return;

  const int left = m_centreX + x - m_blockWidth * qel::kGlyphColumns / 2;
  const int top = m_centreY + y - m_blockHeight * qel::kGlyphRows / 2;
  for (int r = 0; r < qel::kGlyphRows; ++r) {
    for (int c = 0; c < qel::kGlyphColumns; ++c) {
      const uint8_t cell = glyph[r * qel::kGlyphColumns + c];
      if (cell == qel::kGlyphCellEmpty) continue;
      // A degraded letter loses its breakable strokes to the background.
      const COLORREF colour = (m_degraded && cell == qel::kGlyphCellIntactOnly) ? m_backColour : m_textColour;
      dc->FillSolidRect(left + c * m_blockWidth, top + r * m_blockHeight, m_blockWidth, m_blockHeight, colour);
    }
  }
  m_degraded = false;
}

void CTaskLetters::DrawCode(CDC* dc, const char* code) {
  if (!dc || !code) return;
  for (int i = 0; i < kPositions && code[i] != '\0'; ++i) DrawLetter(dc, code[i], m_offsetX[i], m_offsetY[i]);
}

void CTaskLetters::DrawLetterRow(CDC* dc, const char* letters, int count) {
  if (!dc || !letters || count <= 0) return;
  const int step = kRowSpacingBlocks * m_blockWidth;
  const int first = -(count - 1) * step / 2;
  for (int i = 0; i < count && letters[i] != '\0'; ++i) DrawLetter(dc, UpperCase(letters[i]), first + i * step, 0);
}

void CTaskLetters::EraseLetter(CDC* dc, int position) {
  if (!dc || position < 0 || position >= kPositions) return;
  const int left = m_centreX + m_offsetX[position] - m_blockWidth * qel::kGlyphColumns / 2;
  const int top = m_centreY + m_offsetY[position] - m_blockHeight * qel::kGlyphRows / 2;
  dc->FillSolidRect(left, top, m_blockWidth * qel::kGlyphColumns, m_blockHeight * qel::kGlyphRows, m_backColour);
}

bool CTaskLetters::DrawEmptyDisplay() {
  if (!ClearBackSurface()) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawCode(dc, kEmptyCode);
    ReleaseBackDC(dc);
  }
  return true;
}

bool CTaskLetters::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c)) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawCentreCross(dc, m_warningColour);
    char letters[kTrialCodeSize];
    DisplayedCode(code, letters);
    DrawCode(dc, letters);
    ReleaseBackDC(dc);
  }
  return Present();
}

bool CTaskLetters::HideSignal(int32_t responseCode) {
  if (!CTaskBase::HideSignal(responseCode)) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawCode(dc, kEmptyCode);
    ReleaseBackDC(dc);
  }
  return Present();
}

void CTaskLetters::ResetMatches() {
  m_matchCount = 0;
  m_seenAnywhere = 0;
  m_seenRelevant = 0;
  m_degraded = false;
}

}  // namespace qel
