// What Tapping publishes into the program's record: identity and defaults,
// tables, the per-part norm window at the set-up command, texts by language and part,
// and the counters it draws for a preview.
#include <cstring>
#include <string>

#include "tasks/plugins/tp/tests/TappingHarness.h"
#include "tests/support/fakes/MemoryDC.h"

namespace qel {

namespace {

// The four texts of the record: task, part, parameters, feedback.
constexpr int kTextTask = 0;
constexpr int kTextPart = 1;
constexpr int kTextParameters = 2;
constexpr int kTextFeedback = 3;

class TappingRecord : public TappingTest {};

TEST_F(TappingRecord, DefaultModelTask) {
  const QelModelTask& d = *m_record->modelDefault;
  EXPECT_EQ(d.TaskId, 35u);
  EXPECT_STREQ(d.TaskIdStr, "TP");
  EXPECT_STREQ(d.TaskName, "Tapping");
  const uint32_t words[QelTaskWords::kCount] = {2, 0xB000, 0, 2, 0, 0, 100, 0, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < QelTaskWords::kCount; ++i) EXPECT_EQ(d.w.data()[i], words[i]) << "word " << i;
  for (int i = 0; i < kMaxParts; ++i) EXPECT_EQ(d.TaskPartTrials[i], i < 4 ? 10u : 0u) << i;
  EXPECT_EQ(d.TaskParam[0], 0u);
  EXPECT_EQ(d.TaskParam[1], 20u);
  EXPECT_EQ(d.TaskParam[2], 60u);
  for (int i = 3; i < 32; ++i) EXPECT_EQ(d.TaskParam[i], 0u);
  // The bound model task runs itself (0x1000) as a two-choice task.
  EXPECT_EQ(m_task->w.TaskFlags & kTaskFlagSelfTimed, kTaskFlagSelfTimed);
  EXPECT_EQ(ResponseTypeOf(m_task->w.TaskType), kResponseTwoChoice);
}

TEST_F(TappingRecord, PartsVersionsCaptionsAndDescription) {
  EXPECT_EQ(m_record->version, 1);
  ASSERT_EQ(m_record->partCount, 4);
  const char* parts[] = {"Left", "Right", "Alt", "Sync"};
  for (int i = 0; i < 4; ++i) EXPECT_STREQ(m_record->partNames[i], parts[i]);
  ASSERT_EQ(m_record->versionCount, 1);
  EXPECT_STREQ(m_record->versionNames[0], "No versions");
  ASSERT_EQ(m_record->captionCount, 7);
  const char* captions[] = {"N", "Int", "SDInt", "n(N)", "z(N)", "n(Int)", "z(Int)"};
  for (int i = 0; i < 7; ++i) EXPECT_STREQ(m_record->captions[i], captions[i]);
  ASSERT_NE(m_record->taskDescription, nullptr);
  const QelTaskDescription& t = *m_record->taskDescription;
  EXPECT_EQ(t.word0, 35u);
  ASSERT_EQ(t.presetCount, 1u);
  const uint32_t preset[QelTimingPreset::kWordCount] = {kSignalDurationIrrelevant, 0, 0, kEventsPostResponse, 0, 0,
                                                        kIntervalVariable,         0, 0};
  for (int i = 0; i < QelTimingPreset::kWordCount; ++i) EXPECT_EQ(t.presets[0].words[i], preset[i]);
  ASSERT_EQ(t.codeRowCount, 3u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(t.codeRows[0][i], 10u);
  EXPECT_NE(m_record->page, nullptr);
  EXPECT_EQ(m_record->FindTimingPreset(m_task.get()), 0);
}

struct Row {
  const char* code;
  const char* group;
  uint32_t flags;
  int part;
};

const Row kRows[36] = {
    {"Nlu_tp", nullptr, 0x10001, 1},     {"Nliu_tp", "<LEFT>", 0x10021, 1},    {"Tliu_tp", "<LEFT>", 0x2002B, 1},
    {"Sliu_tp", "<LEFT>", 0x3002B, 1},   {"ZNlu_tp", "<LEFT>", 0x50049, 1},    {"ZTliu_tp", "<LEFT>", 0x70049, 1},
    {"Nru_tp", nullptr, 0x10001, 2},     {"Nriu_tp", "<RIGHT>", 0x10021, 2},   {"Triu_tp", "<RIGHT>", 0x2002B, 2},
    {"Sriu_tp", "<RIGHT>", 0x3002B, 2},  {"ZNru_tp", "<RIGHT>", 0x50049, 2},   {"ZTriu_tp", "<RIGHT>", 0x70049, 2},
    {"Nla_tp", nullptr, 0x10001, 3},     {"Nra_tp", nullptr, 0x10001, 3},      {"Nva_tp", "<ALT>", 0x10021, 3},
    {"Tia_tp", "<ALT>", 0x2002B, 3},     {"Sia_tp", "<ALT>", 0x3002B, 3},      {"ZNva_tp", "<ALT>", 0x50049, 3},
    {"ZTia_tp", "<ALT>", 0x70049, 3},    {"Nvac_tp", "<ALT-C>", 0x10021, 3},   {"Tiac_tp", "<ALT-C>", 0x2002B, 3},
    {"Siac_tp", "<ALT-C>", 0x3002B, 3},  {"ZNvac_tp", "<ALT-C>", 0x50049, 3},  {"ZTiac_tp", "<ALT-C>", 0x70049, 3},
    {"Nls_tp", nullptr, 0x10001, 4},     {"Nrs_tp", nullptr, 0x10001, 4},      {"Nvs_tp", "<SYNC>", 0x10021, 4},
    {"Tis_tp", "<SYNC>", 0x2002B, 4},    {"Sis_tp", "<SYNC>", 0x3002B, 4},     {"ZNvs_tp", "<SYNC>", 0x50049, 4},
    {"ZTis_tp", "<SYNC>", 0x70049, 4},   {"Nvsc_tp", "<SYNC-C>", 0x10021, 4},  {"Tisc_tp", "<SYNC-C>", 0x2002B, 4},
    {"Sisc_tp", "<SYNC-C>", 0x3002B, 4}, {"ZNvsc_tp", "<SYNC-C>", 0x50049, 4}, {"ZTisc_tp", "<SYNC-C>", 0x70049, 4},
};

TEST_F(TappingRecord, ScoreVariables) {
  ASSERT_EQ(m_record->scoreVariableCount, 36u);
  for (int i = 0; i < 36; ++i) {
    const TaskVariableDef& v = m_record->scoreVariables[i];
    SCOPED_TRACE(kRows[i].code);
    EXPECT_STREQ(v.code, kRows[i].code);
    if (kRows[i].group) EXPECT_STREQ(v.group, kRows[i].group);
    else EXPECT_EQ(v.group, nullptr);
    EXPECT_EQ(v.flags, kRows[i].flags);
    EXPECT_EQ(v.part, kRows[i].part);
    EXPECT_STREQ(v.format, v.code[0] == 'Z' ? "%.2f" : "%.0f");
  }
  EXPECT_STREQ(m_record->scoreVariables[0].description, "N of left unimanual taps");
  EXPECT_STREQ(m_record->scoreVariables[5].description, "Z-score time intervals left unimanual taps");
  EXPECT_STREQ(m_record->scoreVariables[8].description, "Mean time right intervals unimanual taps");
  EXPECT_STREQ(m_record->scoreVariables[14].description, "N of valid alternating taps");
  EXPECT_STREQ(m_record->scoreVariables[23].description, "Z-score time intervals alternating taps criterion");
  EXPECT_STREQ(m_record->scoreVariables[33].description, "SD time synchronous tap intervals criterion");
}

TEST_F(TappingRecord, NormVariables) {
  ASSERT_EQ(m_record->normVariableCount, 12u);
  const int ids[12] = {4, 5, 10, 11, 17, 18, 22, 23, 29, 30, 34, 35};
  const int sources[12] = {0, 2, 6, 8, 14, 15, 19, 20, 26, 27, 31, 32};
  for (int i = 0; i < 12; ++i) {
    const TaskNormVariable& n = m_record->normVariables[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(n.id, ids[i]);
    EXPECT_EQ(n.source, sources[i]);
    EXPECT_STREQ(n.name, kRows[ids[i]].code);
    EXPECT_EQ(n.getter, nullptr);
    const bool count = i % 2 == 0;
    EXPECT_STREQ(n.unit, count ? "N" : "ms");
    EXPECT_EQ(n.flags, count ? kNormReversed : 0);
  }
  // The program keeps all twelve as Z variables.
  EXPECT_EQ(m_record->GetKeptCount(), 12);
}

TEST_F(TappingRecord, SetupPublishesTheNormWindowOfEachPart) {
  ASSERT_TRUE(Setup(2));
  for (int i = 0; i < kMaxParts; ++i) EXPECT_EQ(m_record->normTrialCounts[i], i < 4 ? 10 : -1) << i;
  EXPECT_EQ(m_record->seriesLength, 0u);
  EXPECT_EQ(m_task->GetThirdPartTableEntry(false, 3), 10);
  // There is no fifth part.
  EXPECT_FALSE(Setup(4));
}

struct TextCase {
  int language;
  int part;
  const char* task;
  const char* partText;
  const char* parameters;
};

class TappingTexts : public TappingTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TappingTexts, FollowTheLanguageAndThePart) {
  const TextCase& c = GetParam();
  m_host.language = c.language;
  ASSERT_TRUE(Setup(c.part));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(m_record->texts[i].rfind("{\\rtf1", 0), 0u) << i;
  EXPECT_NE(m_record->texts[kTextTask].find(c.task), std::string::npos) << m_record->texts[kTextTask];
  EXPECT_NE(m_record->texts[kTextPart].find(c.partText), std::string::npos) << m_record->texts[kTextPart];
  EXPECT_NE(m_record->texts[kTextParameters].find(c.parameters), std::string::npos);
  EXPECT_TRUE(m_record->texts[kTextFeedback].empty());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, TappingTexts,
    ::testing::Values(TextCase{0, 0, "{\\b Tapping}", "{\\b Left hand}", "Parameters of Tapping"},
                      TextCase{1, 1, "{\\b Tapping}", "{\\b Right hand}", "Parameters of Tapping"},
                      TextCase{7, 2, "{\\b Tapping}", "taking turns", "Parameters of Tapping"},
                      TextCase{1, 3, "{\\b Tapping}", "{\\b Both hands together}", "Parameters of Tapping"},
                      TextCase{2, 0, "Tapping (tikken)", "{\\b Linkerhand}", "Parameters van Tapping"},
                      TextCase{2, 1, "Tapping (tikken)", "{\\b Rechterhand}", "Parameters van Tapping"},
                      TextCase{2, 2, "Tapping (tikken)", "om de beurt", "Parameters van Tapping"},
                      TextCase{2, 3, "Tapping (tikken)", "{\\b Beide handen tegelijk}", "Parameters van Tapping"},
                      TextCase{3, 0, "Tapping (battuta)", "{\\b Mano sinistra}", "Parametri di Tapping"},
                      TextCase{3, 1, "Tapping (battuta)", "{\\b Mano destra}", "Parametri di Tapping"},
                      TextCase{3, 2, "velocit\\'e0", "alternate", "Parametri di Tapping"},
                      TextCase{3, 3, "Tapping (battuta)", "{\\b Due mani insieme}", "Parametri di Tapping"}));

struct PreviewCase {
  int part;
  uint32_t counters;
  std::vector<std::string> texts;
};

class TappingPreview : public TappingTest, public ::testing::WithParamInterface<PreviewCase> {};

TEST_P(TappingPreview, DrawsTheCountersAtZero) {
  const PreviewCase& c = GetParam();
  m_task->TaskParam[0] = c.counters;
  ASSERT_TRUE(Setup(c.part));
  FakeDisplay preview(320, 240);
  ASSERT_TRUE(m_task->PreparePreview(&preview, 0));  // the preview preparation: the geometry
  MemoryDC dc(320, 240);
  ASSERT_TRUE(m_record->CallTaskEntry(kCmdDrawStimulus, reinterpret_cast<intptr_t>(&dc), 0, 0, nullptr));
  std::vector<std::string> texts;
  for (const std::string& call : dc.Calls()) {
    if (call.rfind("TextOut", 0) == 0) texts.push_back(call);
  }
  EXPECT_EQ(texts, c.texts);
}

INSTANTIATE_TEST_SUITE_P(Parts, TappingPreview,
                         ::testing::Values(PreviewCase{0, 0, {"TextOut 160 120 0"}},
                                           PreviewCase{1, 0, {"TextOut 160 120 0"}}, PreviewCase{2, 0, {}},
                                           PreviewCase{3, 0, {}},
                                           PreviewCase{2, 1, {"TextOut 139 120 0", "TextOut 181 120 0"}},
                                           PreviewCase{3, 1, {"TextOut 139 120 0", "TextOut 181 120 0"}}));

}  // namespace

}  // namespace qel
