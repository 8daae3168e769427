// What the two identification tasks share ("Identification Facial
// Emotions" and "Identification of Averted Facial Emotions"): part by part
// they ask whether single faces show one emotion. Each part opens with a
// probe, a face of the part's emotion or its name, then the faces follow and
// the testee answers yes or no with two keys. Part p asks for emotion p + 1.
//
// The probe's timing comes from the parameter page (TaskParam words 0-4):
// fixed (shown for the probe duration), user terminated (until the space
// key) or stimulus terminated (until the first face, the probe-stimulus
// interval being the run's warning-to-stimulus interval), each but the last
// followed by a blank post-probe interval.
#pragma once

#include <cstdint>

#include "taskfw/TaskBase.h"
#include "tasks/layers/faces/FacePictures.h"
#include "tasks/layers/series/TaskFont.h"

namespace qel {

using TrialListOf = const char (*(*)(int version, int part))[kTrialCodeSize];
using SecondListOf = const char (*(*)(int version, int part, bool practice))[kTrialCodeSize];

// What a member hands to the shared part: its lists and its sizes.
struct IdentificationMember {
  int parts;       // 8 or 4
  int maxEmotion;  // the highest emotion digit of its faces
  bool gazes;      // its faces may look aside
  // The small picture of the editor's preview, from the centre.
  int previewX;
  int previewY;
  TrialListOf practiceList;
  uint32_t practiceLength;
  TrialListOf testList;
  const int* testLengths;  // per part
  SecondListOf secondList;
  uint32_t secondLength;
  const uint32_t* defaultTrials;  // per part
  const char* const* partNames;
};

enum ProbeMode : int32_t { kProbeFixed = 0, kProbeUserTerminated = 1, kProbeStimulusTerminated = 2 };

// TaskParam words of the probe.
enum ProbeParam : int {
  kParamProbeMode = 0,
  kParamProbeDuration = 1,
  kParamPostProbe = 2,
  kParamProbeStimulus = 3,
  kParamProbeText = 4
};

// The defaults of the probe words.
inline constexpr uint32_t kDefaultProbeMode = kProbeUserTerminated;
inline constexpr uint32_t kDefaultProbeDurationMs = 1000;
inline constexpr uint32_t kDefaultPostProbeMs = 500;
inline constexpr uint32_t kDefaultProbeStimulusMs = 1000;

// Word 4: "Probe as text" in the low 16 bits, the label language (0 English,
// 1 Dutch) in the high 16 bits.
inline constexpr uint32_t kProbeTextMask = 0xFFFF;
inline constexpr int kProbeLanguageShift = 16;
inline constexpr int kLabelLanguages = 2;

class CTaskIdentification : public CTaskBase {
 public:
  static constexpr int kFaceX = -120;  // top-left corner of a face from the screen centre
  static constexpr int kFaceY = -136;
  static constexpr int kLabelPoints = 36;
  static constexpr int kPartEmotions = 8;
  static constexpr uint32_t kDemonstrationStartMs = 1000;

  explicit CTaskIdentification(const IdentificationMember& member);

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  bool HideSignal(int32_t responseCode) override;
  int32_t GetWarningInterval() override;
  bool SetTrial(const char* code) override;

  // The name of part 0..7's emotion in language 0 English or 1 Dutch; ""
  // outside.
  static const char* ProbeLabel(int part, int language);
  // The probe face of a part: a face of the part's emotion, the four persons
  // in turn over the parts.
  static void ProbeCode(int part, char (&code)[kTrialCodeSize]);

  int32_t ProbeModeWord() const { return m_probeMode; }
  const char* ProbeCodeText() const { return m_probeCode; }

 protected:
  // The picture of a face code at a size; 0 when the code names none.
  virtual uint32_t PictureOf(const char* code, int size) const = 0;
  // A face code 1:1 with its top-left corner at (x, y); false when nothing
  // was drawn.
  bool DrawFace(CDC* dc, const char* code, int size, int x, int y);
  // The part's emotion digit as a character.
  char PartEmotion() const { return static_cast<char>('1' + m_partIndex); }

  const IdentificationMember& m_member;
  char m_probeCode[kTrialCodeSize] = {};
  int m_faceX = 0;
  int m_faceY = 0;
  int32_t m_probeMode = kDefaultProbeMode;
  int32_t m_probeDuration = kDefaultProbeDurationMs;
  int32_t m_postProbe = kDefaultPostProbeMs;
  int32_t m_probeStimulus = kDefaultProbeStimulusMs;
  uint16_t m_probeAsText = 0;
  uint16_t m_labelLanguage = 0;
  CTaskFont m_labelFont;
  CFacePictures m_pictures;

 private:
  // The probe on the back surface, presented.
  void ShowProbe();
};

}  // namespace qel
