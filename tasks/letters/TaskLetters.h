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

class CTaskLetters : public CTaskBase {
 public:
  static constexpr int kPositions = 4;
  static constexpr int kLetterSizePercent = 11;
  // Letters of a memory row lie this many blocks apart.
  static constexpr int kRowSpacingBlocks = 22;

  CTaskLetters();

  // The framework's set-up, then the letter geometry.
  bool SetupScreen(IDDDisplay* display, bool practice) override;
  // Cross and the code's four letters on the back surface, then present.
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  // The four masks ("0000"), then present.
  bool HideSignal(int32_t responseCode) override;

  // Geometry, for the task classes and their tests.
  int LetterHeight() const { return m_letterHeight; }
  int BlockSize() const { return m_blockWidth; }
  int OffsetX(int position) const;
  int OffsetY(int position) const;

 protected:
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
  // Draws the code on the back surface after the framework's signal, with
  // the centre cross, and presents.
  bool ShowCode(const char* code);
  // Clears the letter state of a trial.
  void ResetMatches();

  // The code's first four characters are all present (the slot holds at
  // least four characters before its NUL).
  static bool HasFourLetters(const char* code);

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
