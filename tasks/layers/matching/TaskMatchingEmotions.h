// The family of "Matching Facial Emotions" tasks (4, 6 and 8 emotions): two
// faces side by side, and the testee answers with two keys whether both
// show the same emotion. The members differ only in the number of emotions,
// their trial lists and their variable tables, which each member's plug-in
// hands to the family in a MatchingEmotionsMember.
//
// Trial code: two face codes of three characters (tasks/layers/faces), e.g.
// "m24m16": a man (person 2) showing fear beside a man (person 1) showing
// surprise. Same emotion (characters 3 and 6 equal): a target trial.
//
// Categories: the run engine's hit, correct rejection, false alarm and miss
// become category x 4096 + 16 x the larger + the smaller emotion digit of
// the pair shown (a hit on a happy pair 0x1011, a false alarm on fear beside
// shame 0x3074).
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"
#include "taskfw/TaskBase.h"
#include "tasks/layers/faces/FacePictures.h"

namespace qel {

struct MatchingEmotionsMember {
  int emotions;  // 4, 6 or 8: the emotions 1..n of the lists
  const char (*practice)[kTrialCodeSize];
  uint32_t practiceLength;
  const char (*test)[kTrialCodeSize];
  uint32_t testLength;
  const TaskVariableDef* variables;
  uint32_t variableCount;
  const TaskNormVariable* norms;
  uint32_t normCount;
  // The categories of the overall rows: full statistics of hits and correct
  // rejections {1, 2}, short ones of misses and false alarms {4, 3}.
  const QelCodeList* overallFull;
  const QelCodeList* overallShort;
  // Same-emotion hits 0x1011.. and misses 0x4011..; correct rejections
  // 0x2021.. and false alarms 0x3021.. of every pair of different emotions.
  const QelCodeList* hits;
  const QelCodeList* misses;
  const QelCodeList* correctRejections;
  const QelCodeList* falseAlarms;
};

class CTaskMatchingEmotions : public CTaskBase {
 public:
  // Top-left corners of the two faces from the screen centre (30 pixels
  // apart), and of the small faces of the editor's preview.
  static constexpr int kFace1X = -255;
  static constexpr int kFace2X = 15;
  static constexpr int kFaceY = -136;
  static constexpr int kPreview1X = -64;
  static constexpr int kPreview2X = 4;
  static constexpr int kPreviewY = -34;
  static constexpr int kCodeLength = 6;
  // The overall rows: "Ntot", eight for hits and for correct rejections,
  // three for misses and for false alarms, "No", "Np", "Ni".
  static constexpr int kOverallRows = 26;
  static constexpr uint32_t kDemonstrationStartMs = 1000;

  CTaskMatchingEmotions(const MatchingEmotionsMember& member, const QelModelTask& modelDefault);

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  bool HideSignal(int32_t responseCode) override;
  bool SetTrial(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // Category x 4096 + 16 x max(e1, e2) + min(e1, e2) for categories 1-4;
  // others unchanged.
  static int32_t PairCategory(int32_t category, int emotion1, int emotion2);
  // Whether a code is a same-emotion pair.
  static bool IsSameEmotionPair(const char* code);

 private:
  // The pair of a code drawn with its top-left corners at (x1, y) and (x2, y);
  // nothing for a code of five characters or fewer.
  void DrawPair(CDC* dc, const char* code, int size, int x1, int x2, int y);

  const MatchingEmotionsMember& m_member;
  int m_emotion1 = 0;  // emotion digits of the pair shown
  int m_emotion2 = 0;
  int m_face1X = kFace1X;
  int m_face2X = kFace2X;
  int m_faceY = kFaceY;
  CFacePictures m_pictures;
};

}  // namespace qel
