// "Memory Search Objects 1 key": the testee keeps one animal (part 1) or
// two animals (part 2) in mind; on each trial four animals appear in the
// windows of a house and the testee presses the one key only when a memory
// animal is among them.
//
// Codes: four picture numbers '1'..'6', one per window of the house.
#pragma once

#include "taskfw/TaskBase.h"
#include "tasks/layers/house/HousePicture.h"
#include "tasks/layers/msfa/TrialCodeSlot.h"

namespace qel {

class CTaskMemorySearchObjects final : public CTaskBase {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 2;
  static constexpr int kPositions = msfa::kPositions;
  // Memory sets: entry (part x 3 + version) x 2, the first part + 1 pictures.
  static constexpr char kMemorySets[] = "205040346125";
  // Shown by the demonstration: [part][version], each holding the whole memory set.
  static constexpr char kSampleDisplays[kParts][kVersions][5] = {{"2134", "5431", "4312"}, {"3456", "6154", "2534"}};
  // Memory pictures of the demonstration: picture i at
  // (centre x + kMemoryStep x i - kMemoryStep / 2 x part - kMemoryLeft, centre y - kMemoryUp).
  static constexpr int kMemoryStep = 384;
  static constexpr int kMemoryLeft = 48;
  static constexpr int kMemoryUp = 50;

  CTaskMemorySearchObjects();

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  bool HideSignal(int32_t responseCode) override;
  bool SetTrial(const char* code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // The memory pictures of a version and part (0-based); null out of range.
  static const char* MemorySet(int version, int part);

 private:
  // Decodes the animal pictures from the plug-in's resources once.
  void EnsurePictures();
  // The house 1:1 at the screen centre on the back surface, with the code's
  // pictures when a code is given (not presented).
  void DrawHouseOnBack(const char* code);
  void DrawPictures(CDC* dc, const char* code, bool scaled, int centreX, int centreY);

  CHousePicture m_house;
  bool m_picturesLoaded = false;
};

}  // namespace qel
