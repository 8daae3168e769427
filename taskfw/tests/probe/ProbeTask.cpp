#include "taskfw/tests/probe/ProbeTask.h"

#include "taskfw/NormGetters.h"
#include "taskfw/TaskPlugin.h"

namespace qel {

namespace {

const char* const kVersions[] = {"Version A", "Version B"};
const char* const kParts[] = {"Left hand", "Right hand"};
const char* const kCaptions[] = {"N", "T", "S", "n(N)", "z(N)", "n(T)", "z(T)"};
const char* const kCaptions2[] = {"1", "2"};

const TaskVariableDef kVariables[] = {
    {"Nl_fw", "<LEFT>", "%.0f", "N of left responses", VariableFlags(kVarTypeCount, 1), 1},
    {"Tl_fw", "<LEFT>", "%.0f", "Mean time of left responses", VariableFlags(kVarTypeInterval, 2, kVarExtended), 1},
    {"Sl_fw", "<LEFT>", "%.0f", "SD of the time of left responses", VariableFlags(kVarTypeInterval, 3, kVarExtended),
     1},
    {"ZNl_fw", "<LEFT>", "%.2f", "Z-score N left", VariableFlags(kVarTypeZScore, 5, kVarZRow), 1},
    {"ZTl_fw", "<LEFT>", "%.2f", "Z-score mean time left", VariableFlags(kVarTypeZScore, 7, kVarZRow), 1},
    {"ZSl_fw", "<LEFT>", "%.2f", "Z-score SD left", VariableFlags(kVarTypeZScore, 7, kVarZRow), 1},
    {"Nr_fw", "<RIGHT>", "%.0f", "N of right responses", VariableFlags(kVarTypeCount, 1), 2},
    {"Tr_fw", "<RIGHT>", "%.0f", "Mean time of right responses", VariableFlags(kVarTypeInterval, 2, kVarExtended), 2},
    {"Sr_fw", "<RIGHT>", "%.0f", "SD of the time of right responses", VariableFlags(kVarTypeInterval, 3, kVarExtended),
     2},
    {"ZNr_fw", "<RIGHT>", "%.2f", "Z-score N right", VariableFlags(kVarTypeZScore, 5, kVarZRow), 2},
    {"ZTr_fw", "<RIGHT>", "%.2f", "Z-score mean time right", VariableFlags(kVarTypeZScore, 7, kVarZRow), 2},
    {"ZSr_fw", "<RIGHT>", "%.2f", "Z-score SD right", VariableFlags(kVarTypeZScore, 7, kVarZRow), 2},
    {"Tlr_fw", nullptr, "%.0f", "Mean time of both hands", VariableFlags(kVarTypeNone, 2), 1},
    {"ZTlr_fw", nullptr, "%.2f", "Z-score mean time of both hands", VariableFlags(14, 7, kVarZRow), 1},
};

// Entries 0 and 5 are the left and right mean times; the combined row takes
// its norm from both through pair getter 0.
const TaskNormVariable kNormVariables[] = {
    {4, "ms", "ZTl_fw", nullptr, 1, 0},
    {3, "N", "ZNl_fw", nullptr, 0, 4},
    {9, "N", "ZNr_fw", nullptr, 6, 4},
    {5, "ms", "ZSl_fw", nullptr, 2, 0},
    {11, "ms", "ZSr_fw", nullptr, 8, 0},
    {10, "ms", "ZTr_fw", nullptr, 7, 0},
    {13, "ms", nullptr, GetPairNormValue0, 12, 1},
};

const char kTestCodes[CTaskProbe::kTestCodeCount][kTrialCodeSize] = {"T1ABCDEFGH", "T2ABCDEFGH", "T3ABCDEFGH"};
const char kPracticeCodes[CTaskProbe::kPracticeCodeCount][kTrialCodeSize] = {"P1ABCD", "P2ABCD", "P3ABCD", "P4ABCD"};
const char kSecondCodes[CTaskProbe::kSecondCodeCount][kTrialCodeSize] = {"S1ABCDEF", "S2ABCDEF"};
const char kTestCode[kTrialCodeSize] = "TESTCODE";
const char kPracticeCode[kTrialCodeSize] = "PRACTICECODE";

const TaskTextIds kTexts[3] = {
    {101, 102, 103, 0},  // English
    {104, 102, 105, 0},  // Dutch
    {106, 102, 107, 0},  // Italian
};

}  // namespace

CTaskProbe::CTaskProbe() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersions;
  m_versionCount = 2;
  m_partNames = kParts;
  m_partCount = 2;
  m_variables = kVariables;
  m_variableCount = sizeof(kVariables) / sizeof(kVariables[0]);
  m_captions = kCaptions;
  m_captionCount = sizeof(kCaptions) / sizeof(kCaptions[0]);
  m_captions2 = kCaptions2;
  m_captionCount2 = 2;
  m_normVariables = kNormVariables;
  m_normVariableCount = sizeof(kNormVariables) / sizeof(kNormVariables[0]);
  m_pairNormMean = true;  // left and right hand
  m_taskWords[0] = 2;     // codes permute from their third letter on
  m_taskWords[1] = 7;
  m_page = &m_pageObject;
}

void CTaskProbe::LoadTexts() { LoadTextsForLanguage(kTexts); }

bool CTaskProbe::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->testTrialList = kTestCodes;
  m_record->testTrialCount = kTestCodeCount;
  m_record->practiceTrialList = kPracticeCodes;
  m_record->practiceTrialCount = kPracticeCodeCount;
  m_record->secondList = kSecondCodes;
  m_record->secondListCount = kSecondCodeCount;
  m_record->testCode = kTestCode;
  m_record->practiceCode = kPracticeCode;
  PublishTrialList();
  return true;
}

bool CTaskProbe::DrawStimulus(CDC* dc, intptr_t, intptr_t b) {
  if (!dc) return false;
  const int half = m_size[1] / 2;
  dc->FillSolidRect(m_centreX - half, m_centreY - half, 2 * half, 2 * half, kSquareColour);
  DrawBitmap(dc, kPictureId, 0, 0, b != 0);
  return true;
}

}  // namespace qel
