// The model task slot: record, parts and assessments, library views.
#include <gtest/gtest.h>

#include <cstring>

#include "app/model/ExpModelTask.h"
#include "tests/support/fakes/FakeTaskHost.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

namespace {

QelModelTask TappingRecord() {
  QelModelTask r{};
  r.TaskId = 35;
  std::strcpy(r.TaskIdStr, "TP");
  std::strcpy(r.TaskName, "Tapping");
  for (int i = 0; i < QelTaskWords::kCount; ++i) r.w.data()[i] = 100 + i;
  for (int i = 0; i < kMaxParts; ++i) r.TaskPartTrials[i] = i + 1;
  for (int i = 0; i < 32; ++i) r.TaskParam[i] = 1000 + i;
  return r;
}

TEST(ModelTaskRecord, SetFromModelTaskCopiesTheRecordAndClearsTheRest) {
  FakeTaskLibrary lib;
  CExpModelTask t;
  t.library = &lib;
  t.currentPart = 3;
  t.currentAssessment = 7;
  t.trialCounts[2] = 9;
  t.modified = 1;
  const QelModelTask r = TappingRecord();
  t.SetFromModelTask(&r);
  EXPECT_EQ(t.library, nullptr);
  EXPECT_EQ(t.currentPart, 0);
  EXPECT_EQ(t.currentAssessment, 1u);
  EXPECT_EQ(t.trialCounts[2], 0u);
  EXPECT_EQ(t.modified, 0);
  EXPECT_EQ(t.TaskId, 35u);
  EXPECT_EQ(t.TaskIdStr, "TP");
  EXPECT_EQ(t.TaskName, "Tapping");
  EXPECT_EQ(std::memcmp(&t.w, &r.w, sizeof r.w), 0);
  EXPECT_EQ(t.TaskPartTrials[15], 16u);
  EXPECT_EQ(t.TaskParam[31], 1031u);
  for (const QelDateTime& d : t.partDates) EXPECT_TRUE(d.IsNull());

  t.SetFromModelTask(nullptr);
  EXPECT_EQ(t.TaskId, 0u);
  EXPECT_TRUE(t.TaskIdStr.empty());
  EXPECT_EQ(t.w.TaskIntHigh, 0u);
}

TEST(ModelTaskRecord, UnterminatedTextFieldsStopAtTheirSize) {
  QelModelTask r{};
  std::memset(r.TaskIdStr, 'A', sizeof r.TaskIdStr);
  std::memset(r.TaskName, 'B', sizeof r.TaskName);
  r.w.TaskType = 0x4242;  // right behind the name: must not be read as text
  CExpModelTask t;
  t.SetFromModelTask(&r);
  EXPECT_EQ(t.TaskIdStr, std::string(16, 'A'));
  EXPECT_EQ(t.TaskName, std::string(64, 'B'));
}

TEST(ModelTaskRecord, CopyTakesTheWholeSlotWithItsLibrary) {
  FakeTaskLibrary lib;
  CExpModelTask a;
  const QelModelTask r = TappingRecord();
  a.SetFromModelTask(&r);
  a.library = &lib;
  a.assessmentCounts[4] = 3;
  a.partDates[1] = QelDateTime::FromDate(2020, 5, 6);
  a.loaded = 1;
  CExpModelTask b(a);
  CExpModelTask c;
  c = a;
  for (const CExpModelTask* t : {&b, &c}) {
    EXPECT_EQ(t->library, &lib);
    EXPECT_EQ(t->assessmentCounts[4], 3u);
    EXPECT_EQ(t->partDates[1].value, a.partDates[1].value);
    EXPECT_EQ(t->loaded, 1);
    EXPECT_EQ(t->TaskName, "Tapping");
  }
}

TEST(ModelTaskRecord, VoiceKeyThresholdChangesOnlyItsByte) {
  CExpModelTask t;
  t.w.TaskSSS = 100 | kSssVoiceKeyOption | (7u << 16);
  t.SetVoiceKeyThreshold(50);
  EXPECT_EQ(t.w.TaskSSS, 100u | kSssVoiceKeyOption | (50u << 16));
  t.w.TaskSSS = 0xFFFFFFFF;
  t.SetVoiceKeyThreshold(0);
  EXPECT_EQ(t.w.TaskSSS, 0xFF00FFFFu);
}

struct MappingCase {
  uint32_t flags;
  int hand;
  int left;
  int right;
};

class KeysMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(KeysMapping, ExchangesOnlyWhenAllowedAndHandIsOne) {
  const MappingCase& c = GetParam();
  FakeTaskLibrary lib;
  // The host is large; keep it off the stack.
  auto host = std::make_unique<FakeTaskHost>();
  host->leftCode = 7;
  host->rightCode = 8;
  lib.host = host.get();
  CExpModelTask t;
  t.library = &lib;
  t.w.TaskFlags = c.flags;
  t.ApplyKeysMapping(c.hand);
  EXPECT_EQ(host->leftCode, c.left);
  EXPECT_EQ(host->rightCode, c.right);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeysMapping,
                         ::testing::Values(MappingCase{kTaskFlagSwapKeys, 1, 2, 1},
                                           MappingCase{kTaskFlagSwapKeys, 0, 1, 2},
                                           MappingCase{kTaskFlagSwapKeys, -1, 1, 2}, MappingCase{0, 1, 1, 2},
                                           MappingCase{0xFFFF & ~kTaskFlagSwapKeys, 1, 1, 2}));

// A bound task with three parts.
class PartsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_lib.partCount = 3;
    m_task.library = &m_lib;
    m_task.assessmentCounts[0] = 3;
    m_task.assessmentCounts[1] = 1;
    m_task.assessmentCounts[2] = 0;
    m_task.trialCounts[0] = 40;
    m_task.trialCounts[1] = 50;
    for (int i = 0; i < kMaxParts; ++i) m_task.TaskPartTrials[i] = 10 * (i + 1);
  }
  FakeTaskLibrary m_lib;
  CExpModelTask m_task;
};

TEST_F(PartsFixture, NextAssessmentReachesOnePastTheStoredOnes) {
  m_task.currentAssessment = 3;
  EXPECT_TRUE(m_task.NextAssessment());
  EXPECT_EQ(m_task.currentAssessment, 4u);
  EXPECT_FALSE(m_task.NextAssessment());
  EXPECT_EQ(m_task.currentAssessment, 4u);
  EXPECT_TRUE(m_task.StepAssessment(1));
  EXPECT_EQ(m_task.currentAssessment, 3u);
  EXPECT_FALSE(m_task.StepAssessment(0));
  m_task.currentAssessment = 1;
  EXPECT_FALSE(m_task.PreviousAssessment());
  EXPECT_EQ(m_task.currentAssessment, 1u);
}

struct StepCase {
  uint32_t assessment;
  int direction;
  bool forceNew;
  bool moved;
  int part;
  uint32_t expectedAssessment;
};

class StepPartCases : public PartsFixture, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepPartCases, KeepsOrRenewsTheAssessment) {
  const StepCase& c = GetParam();
  m_task.currentPart = 0;
  m_task.currentAssessment = c.assessment;
  EXPECT_EQ(m_task.StepPart(c.direction, c.forceNew), c.moved);
  EXPECT_EQ(m_task.currentPart, c.part);
  EXPECT_EQ(m_task.currentAssessment, c.expectedAssessment);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepPartCases,
                         ::testing::Values(StepCase{2, -1, false, true, 1, 2},  // next part has 1: 2 <= 1 + 1 stays
                                           StepCase{3, -1, false, true, 1, 2},  // 3 > 1 + 1: a new one
                                           StepCase{2, -1, true, true, 1, 2},   // forced: count + 1 = 2
                                           StepCase{1, -1, true, true, 1, 2},
                                           StepCase{2, 1, false, false, 0, 2},  // no previous part
                                           StepCase{2, 2, false, false, 0, 2}));

TEST_F(PartsFixture, StepPartToAPartWithoutAssessmentsSelectsTheFirst) {
  m_task.currentPart = 1;
  m_task.currentAssessment = 2;
  EXPECT_TRUE(m_task.StepPart(-1, false));
  EXPECT_EQ(m_task.currentPart, 2);
  EXPECT_EQ(m_task.currentAssessment, 1u);
  EXPECT_FALSE(m_task.NextPart());
  EXPECT_TRUE(m_task.PreviousPart());
  EXPECT_EQ(m_task.currentPart, 1);
}

TEST_F(PartsFixture, ResetPartStartsAtTheSecondPartOnlyWhenAllowed) {
  m_task.w.TaskFlags = kTaskFlagSecondPart;
  m_task.ResetPart(true);
  EXPECT_EQ(m_task.currentPart, 1);
  EXPECT_EQ(m_task.currentAssessment, 2u);
  m_task.ResetPart(false);
  EXPECT_EQ(m_task.currentPart, 0);
  EXPECT_EQ(m_task.currentAssessment, 4u);
  m_lib.partCount = 1;
  m_task.ResetPart(true);
  EXPECT_EQ(m_task.currentPart, 0);
  m_lib.partCount = 3;
  m_task.w.TaskFlags = 0;
  m_task.ResetPart(true);
  EXPECT_EQ(m_task.currentPart, 0);
}

TEST_F(PartsFixture, PartNumbersOutsideOneToCountGiveEmptyValues) {
  EXPECT_EQ(m_task.GetPartTrials(0), 0u);
  EXPECT_EQ(m_task.GetPartTrials(1), 10u);
  EXPECT_EQ(m_task.GetPartTrials(3), 30u);
  EXPECT_EQ(m_task.GetPartTrials(4), 0u);
  EXPECT_EQ(m_task.GetPartAssessmentCount(0), 0u);
  EXPECT_EQ(m_task.GetPartAssessmentCount(1), 3u);
  EXPECT_EQ(m_task.GetPartTrialCount(2), 50u);
  EXPECT_EQ(m_task.GetPartTrialCount(4), 0u);
  EXPECT_FALSE(m_task.SelectPart(0));
  EXPECT_FALSE(m_task.SelectPart(4));
  EXPECT_TRUE(m_task.SelectPart(2));
  EXPECT_EQ(m_task.currentPart, 1);
  EXPECT_EQ(m_task.GetCurrentPartTrialCount(), 50u);
  EXPECT_EQ(m_task.GetCurrentPartTrials(), 20u);
  EXPECT_FALSE(m_task.SelectNewAssessment(4));
  // The current part's record trials need no bound part, only a slot.
  m_task.currentPart = 15;
  EXPECT_EQ(m_task.GetCurrentPartTrials(), 160u);
  m_task.currentPart = 16;
  EXPECT_EQ(m_task.GetCurrentPartTrials(), 0u);
}

TEST_F(PartsFixture, APlugInPartCountAboveSixteenIsBounded) {
  m_lib.partCount = 1000;
  EXPECT_EQ(m_task.GetPartCount(), kMaxParts);
  EXPECT_FALSE(m_task.SelectPart(17));
  EXPECT_EQ(m_task.GetPartTrials(17), 0u);
}

TEST(ModelTaskUnbound, EveryPartOperationRefuses) {
  CExpModelTask t;
  t.assessmentCounts[0] = 5;
  EXPECT_EQ(t.GetPartCount(), 0);
  EXPECT_FALSE(t.SelectPart(1));
  EXPECT_FALSE(t.NextPart());
  EXPECT_FALSE(t.SelectNewAssessmentOfCurrentPart());
  EXPECT_FALSE(t.NextAssessment());
  EXPECT_EQ(t.GetPartAssessmentCount(1), 0u);
  EXPECT_EQ(t.GetThirdPartTableEntry(false, 1), -1);
  EXPECT_EQ(t.GetPartTableEntry(false, 1), 0);
  EXPECT_EQ(t.GetLibraryTaskWord(), 0);
  EXPECT_FALSE(t.IsLibraryLoaded());
  EXPECT_EQ(t.UseLibraryResources(), nullptr);
  EXPECT_EQ(t.GetScoreVariable(0), nullptr);
  EXPECT_EQ(t.GetScoreVariableFormat(0, true), "");
  EXPECT_FALSE(t.UsesSdFloor(0));
  EXPECT_EQ(t.FindZVariable(0), nullptr);
  EXPECT_EQ(t.GetCodeRowCount(), 0);
  EXPECT_EQ(t.FindCodeRow(0, 0), -1);
  EXPECT_EQ(t.GetResponseCodeText(9, true), "9");
  EXPECT_EQ(t.GetResponseCodeText(3, true), "FA");
  EXPECT_EQ(t.GetResponseCodeText(3, false), "3");
  double out = 0.0;
  EXPECT_FALSE(t.GetVariableValue(0, &out, 12.0, 30.0, kNormZScore, true));
  EXPECT_EQ(out, kNoValue);
}

TEST_F(PartsFixture, PerPartTablesOfTheLibrary) {
  m_lib.partWordsA[0] = 240;
  m_lib.partWordsA[2] = 360;
  m_lib.partWordsB[0] = 24;
  m_lib.normTrialCounts[0] = 240;
  m_lib.normTrialCounts[1] = -1;
  m_lib.seriesLength = 12;
  EXPECT_EQ(m_task.GetPartTableEntry(false, 1), 240);
  EXPECT_EQ(m_task.GetPartTableEntry(false, 3), 360);
  EXPECT_EQ(m_task.GetPartTableEntry(true, 1), 24);
  EXPECT_EQ(m_task.GetPartTableEntry(false, 0), 0);
  EXPECT_EQ(m_task.GetPartTableEntry(false, 4), 0);
  EXPECT_EQ(m_task.GetThirdPartTableEntry(false, 1), 240);
  EXPECT_EQ(m_task.GetThirdPartTableEntry(true, 1), -1);  // practice: no norm trial count
  EXPECT_EQ(m_task.GetThirdPartTableEntry(false, 2), -1);
  EXPECT_EQ(m_task.GetThirdPartTableEntry(false, 4), -1);
  EXPECT_EQ(m_task.GetLibraryTaskWord(), 12);
}

const TaskVariableDef kVariables[] = {
    {"Nlu_tp", "<LEFT>", "%.0f", "Count left", VariableFlags(kVarTypeNone, 1), 1},
    {"Tlu_tp", nullptr, "%.1f", "Mean left", VariableFlags(kVarTypeCount, 2, kVarExtended), 1},
    {"Slu_tp", "<LEFT>", "%.3f", "SD left", VariableFlags(kVarTypeFalseAlarm, 3, kVarZRow), 1},
    {"Xlu_tp", nullptr, "%.3f", "Odd type", VariableFlags(13, 4), 1},
    {"Zlu_tp", nullptr, "%.2f", "Z left", VariableFlags(kVarTypeMiss, 0), 1},
};

bool Getter(double* out, double, double, int) {
  *out = 0.0;
  return true;
}

const TaskNormVariable kNorms[] = {
    {3, "ms", nullptr, nullptr, 1, 0},           {4, "N", "ZNlu_tp", nullptr, 0, 1},
    {1, "ms", nullptr, &Getter, 0, 0},           {4, "N", "second match", nullptr, 2, 0},
    {9, "N", "beyond the table", nullptr, 2, 0},
};

class ViewsFixture : public PartsFixture {
 protected:
  void SetUp() override {
    PartsFixture::SetUp();
    m_lib.scoreVariables = kVariables;
    m_lib.scoreVariableCount = 5;
    m_lib.normVariables = kNorms;
    m_lib.normVariableCount = 5;
  }
};

TEST_F(ViewsFixture, ScoreVariableRows) {
  EXPECT_EQ(m_task.GetScoreVariableCount(), 5);
  EXPECT_EQ(m_task.GetScoreVariable(5), nullptr);
  EXPECT_EQ(m_task.GetScoreVariable(-1), nullptr);
  EXPECT_EQ(m_task.GetScoreVariableName(0), "Nlu_tp");
  EXPECT_EQ(m_task.GetScoreVariableGroup(0), "<LEFT>");
  EXPECT_EQ(m_task.GetScoreVariableGroup(1), "");
  EXPECT_EQ(m_task.GetScoreVariableLabel(2), "SD left");
  EXPECT_EQ(m_task.GetScoreVariableAttr(2), 0x00030000u | 4 | kVarZRow);
  EXPECT_EQ(m_task.GetScoreVariableName(9), "");
}

struct FormatCase {
  int i;
  bool force;
  const char* format;
  int codePlain;
  int codeVariant;
};

class ScoreVariableFormats : public ViewsFixture, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(ScoreVariableFormats, FormatAndTypeCode) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(m_task.GetScoreVariableFormat(c.i, c.force), c.format);
  EXPECT_EQ(m_task.GetScoreVariableCode(c.i, false), c.codePlain);
  EXPECT_EQ(m_task.GetScoreVariableCode(c.i, true), c.codeVariant);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScoreVariableFormats,
                         ::testing::Values(FormatCase{0, true, "%.0f", 17, 17}, FormatCase{1, true, "%.2f", 20, 21},
                                           FormatCase{1, false, "%.1f", 20, 21}, FormatCase{2, true, "%.2f", 29, 31},
                                           FormatCase{3, true, "%.3f", 17, 17},  // type 13 counts as 0
                                           FormatCase{4, true, "%.2f", 32, 32}, FormatCase{7, true, "", 0, 0}));

TEST_F(ViewsFixture, ColumnsHideVariantAndAlternativeRows) {
  EXPECT_EQ(m_task.GetScoreVariableColumn(0, false, false), 1);
  EXPECT_EQ(m_task.GetScoreVariableColumn(1, false, false), 0);
  EXPECT_EQ(m_task.GetScoreVariableColumn(1, true, false), 2);
  EXPECT_EQ(m_task.GetScoreVariableColumn(2, false, false), 3);
  EXPECT_EQ(m_task.GetScoreVariableColumn(2, false, true), 0);
}

TEST_F(ViewsFixture, ZVariablesAreFoundByTheirScoreVariableIndex) {
  int position = -1;
  EXPECT_EQ(m_task.GetZVariableCount(), 5);
  EXPECT_EQ(m_task.FindZVariable(4, &position), &kNorms[1]);  // the first match wins
  EXPECT_EQ(position, 1);
  EXPECT_EQ(m_task.FindZVariable(0, &position), nullptr);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(m_task.FindZVariable(9, &position), nullptr);  // not below the score-variable count
  EXPECT_EQ(position, 0);
  EXPECT_TRUE(m_task.HasZScore(4));
  EXPECT_TRUE(m_task.HasZName(4));
  EXPECT_TRUE(m_task.IsZVariableFlagged(4));
  EXPECT_EQ(m_task.GetZSourceIndex(4), 0);
  EXPECT_TRUE(m_task.HasZScore(1));  // a getter
  EXPECT_FALSE(m_task.HasZName(1));
  EXPECT_FALSE(m_task.HasZScore(3));  // neither name nor getter
  EXPECT_EQ(m_task.GetZSourceIndex(3), 1);
  EXPECT_EQ(m_task.GetZSourceIndex(2), 0);
  EXPECT_TRUE(m_task.UsesSdFloor(2));
  EXPECT_TRUE(m_task.UsesSdFloor(4));
  EXPECT_FALSE(m_task.UsesSdFloor(1));
}

TEST_F(ViewsFixture, GetVariableValueAsksTheNormService) {
  double out = 0.0;
  m_lib.m_answerAll = -1.25;
  m_lib.m_missingLeavesOut = true;  // so that only the task's own preset can give kNoValue
  EXPECT_TRUE(m_task.GetVariableValue(1, &out, 640.0, 42.5, kNormZScore, true));
  EXPECT_EQ(out, -1.25);
  ASSERT_EQ(m_lib.m_requests.size(), 1u);
  EXPECT_EQ(m_lib.m_requests[0].n, 1);
  EXPECT_EQ(m_lib.m_requests[0].value, 640.0);
  EXPECT_EQ(m_lib.m_requests[0].age, 42.5);
  EXPECT_TRUE(m_lib.m_requests[0].floorAllowed);
  m_lib.m_answerAll.reset();
  EXPECT_FALSE(m_task.GetVariableValue(1, &out, 640.0, 42.5, kNormSd, false));
  EXPECT_EQ(out, kNoValue);  // preset before the service is asked
}

TEST_F(ViewsFixture, TextsNamesAndCodeNames) {
  static const char* const kParts[] = {"Left", nullptr, "Both"};
  static const char* const kVersions[] = {"Version 1"};
  static const char* const kCodeNames[] = {"LOFA", "MEFA", "HIFA"};
  m_lib.partNames = kParts;
  m_lib.versionNames = kVersions;
  m_lib.versionCount = 1;
  m_lib.texts[0] = "task";
  m_lib.texts[1] = "part";
  m_lib.texts[2] = "help";
  m_lib.texts[3] = "feedback";
  m_lib.runText = "m";
  m_lib.codeNames = kCodeNames;
  m_lib.codeNameFirst = 10;
  m_lib.codeNameCount = 3;
  EXPECT_EQ(m_task.GetPartName(1), "Left");
  EXPECT_EQ(m_task.GetPartName(2), "");
  EXPECT_EQ(m_task.GetPartName(4), "");
  m_task.currentPart = 2;
  EXPECT_EQ(m_task.GetCurrentPartName(), "Both");
  EXPECT_EQ(m_task.GetVersionCount(), 1);
  EXPECT_EQ(m_task.GetVersionName(1), "Version 1");
  EXPECT_EQ(m_task.GetVersionName(2), "");
  EXPECT_EQ(m_task.GetTaskInstruction(), "task");
  EXPECT_EQ(m_task.GetPartInstruction(), "part");
  EXPECT_EQ(m_task.GetParametersHelp(), "help");
  EXPECT_EQ(m_task.GetFeedbackText(), "feedback");
  EXPECT_EQ(m_task.GetTrialListText(), "m");
  EXPECT_EQ(m_task.GetResponseCodeText(11, true), "MEFA");
  EXPECT_EQ(m_task.GetResponseCodeText(8, true), "DU");
  EXPECT_EQ(m_task.GetResponseCodeText(8, false), "8");
  EXPECT_EQ(m_task.GetResponseCodeText(13, true), "13");
}

TEST_F(ViewsFixture, UseLibraryResourcesSwitchesTheCurrentModule) {
  static const QelResourceTable kTable{nullptr, 0};
  static const QelResourceTable kOther{nullptr, 0};
  EXPECT_EQ(m_task.UseLibraryResources(), nullptr);  // the library has no module: nothing changes
  EXPECT_EQ(g_qelCurrentResourceModule, nullptr);
  g_qelCurrentResourceModule = &kOther;
  m_lib.resources = &kTable;
  EXPECT_EQ(m_task.UseLibraryResources(), &kOther);
  EXPECT_EQ(g_qelCurrentResourceModule, &kTable);
  g_qelCurrentResourceModule = nullptr;
}

}  // namespace

}  // namespace qel
