// The layer of the letter tasks: four letters of the block-glyph font on
// the corners of a virtual square around the screen centre. It sizes the
// letters from the screen, draws trial codes (upper case intact, lower case
// degraded, "0" and "-" masks, vowels as masks through the font), shows and
// hides the signal and keeps the match results of the current trial for
// the task's classification.
//
// Positions of a code: 0 top left, 1 top right, 2 bottom left, 3 bottom
// right.
#pragma once

#include <cstdint>

#include "taskfw/TaskBase.h"
#include "tasks/layers/msfa/TrialCodeSlot.h"

namespace qel {

class CTaskLetters : public CTaskBase {
 public:
  static constexpr int kPositions = msfa::kPositions;
  static constexpr int kLetterSizePercent = 11;
  // Letters of a memory row lie this many blocks apart.
  static constexpr int kRowSpacingBlocks = 22;

  CTaskLetters();

  // The framework's set-up, then the letter geometry.
  bool SetupScreen(IDDDisplay* display, bool practice) override;
  // The code's four letters as shown (the editors' preview).
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;
  // Cross and the code's four letters as shown on the back surface, then present.
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  // The four masks ("0000"), then present.
  bool HideSignal(int32_t responseCode) override;

 protected:
  // Memory-set letters are kept in lower case, display letters in upper case.
  static char LowerCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
  static char UpperCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

  // The letters of a code slot as they appear on the screen, position by
  // position, NUL-terminated within the slot; as stored unless a task moves them.
  virtual void DisplayedCode(const char* code, char (&out)[kTrialCodeSize]) const;

  // One code character at an offset from the screen centre.
  void DrawLetter(CDC* dc, char letter, int x, int y);
  // The first four characters of a 17-byte code slot, position by position;
  // drawing stops at the code's end.
  void DrawCode(CDC* dc, const char* code);
  // Letters in upper case on one row through the centre, kRowSpacingBlocks
  // apart and centred as a group.
  void DrawLetterRow(CDC* dc, const char* letters, int count);
  // The glyph box of a position in the background colour.
  void EraseLetter(CDC* dc, int position);
  // Clears the back surface and draws the four masks (not presented).
  bool DrawEmptyDisplay();
  // Clears the letter state of a trial.
  void ResetMatches();

  int m_letterPercent = kLetterSizePercent;
  int m_letterHeight = 0;
  int m_blockWidth = 1;
  int m_blockHeight = 1;
  int m_offsetX[kPositions] = {};
  int m_offsetY[kPositions] = {};
  bool m_degraded = false;  // set while a lower-case letter is drawn
  int m_relevant[2] = {0, 3};
  int m_permutation = 0;
  // Match results of the current trial.
  int m_matchCount = 0;
  int m_seenAnywhere = 0;
  int m_seenRelevant = 0;

 protected:
  ~CTaskLetters() = default;
};

}  // namespace qel
