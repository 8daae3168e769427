// The set-up command of the three tasks: the record's trial lists and per-part
// words, the memory set as the run text, the host's trial list, and the
// texts in the host's language.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tasks/plugins/fa4l/Fa4lTrialLists.h"
#include "tasks/plugins/msl/MslTrialLists.h"
#include "tasks/plugins/mso1/Mso1TrialLists.h"
#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;
using CodeList = const char (*)[kTrialCodeSize];

struct SetupCase {
  const char* task;
  uint32_t version;
  int part;
  const char* runText;
  CodeList test;
  uint32_t testLength;
  CodeList practice;
  std::vector<int32_t> wordsA;  // test-list length per part
  std::vector<int32_t> wordsC;  // default trials per part
};

std::vector<SetupCase> Cases() {
  return {
      {"MSL", 1, 0, "k", qel::MslTestList(0, 0), 40, qel::MslPracticeList(0, 0), {40, 72, 96}, {40, 72, 96}},
      {"MSL", 2, 2, "j,m,z", qel::MslTestList(1, 2), 96, qel::MslPracticeList(1, 2), {40, 72, 96}, {40, 72, 96}},
      {"MSL", 3, 1, "g,t", qel::MslTestList(2, 1), 72, qel::MslPracticeList(2, 1), {40, 72, 96}, {40, 72, 96}},
      {"FA4L", 2, 0, "x", qel::Fa4lTestList(1, 0), 40, qel::Fa4lPracticeList(1, 0), {40, 40}, {80, 80}},
      {"FA4L", 3, 1, "g,l,v", qel::Fa4lTestList(2, 1), 40, qel::Fa4lPracticeList(2, 1), {40, 40}, {80, 80}},
      {"MSO1", 1, 0, "2", qel::Mso1TestList(0, 0), 40, qel::Mso1PracticeList(0, 0), {40, 40}, {40, 40}},
      {"MSO1", 3, 1, "2,5", qel::Mso1TestList(2, 1), 40, qel::Mso1PracticeList(2, 1), {40, 40}, {40, 40}},
  };
}

class RunSetup : public testing::TestWithParam<SetupCase> {};

TEST_P(RunSetup, PublishesListsWordsAndMemorySet) {
  const SetupCase& c = GetParam();
  LoadedTask t(c.task);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(c.version, c.part));
  const CTaskLibrary& r = t.m_library;
  EXPECT_EQ(r.runText, c.runText);
  // The plug-in's own copy of the committed lists.
  ASSERT_EQ(r.testTrialCount, c.testLength);
  ASSERT_NE(r.testTrialList, nullptr);
  for (uint32_t i = 0; i < c.testLength; ++i) ASSERT_STREQ(r.testTrialList[i], c.test[i]) << i;
  ASSERT_EQ(r.practiceTrialCount, 12u);
  ASSERT_NE(r.practiceTrialList, nullptr);
  for (uint32_t i = 0; i < 12; ++i) ASSERT_STREQ(r.practiceTrialList[i], c.practice[i]) << i;
  for (int q = 0; q < kMaxParts; ++q) {
    const bool has = q < static_cast<int>(c.wordsA.size());
    EXPECT_EQ(r.partWordsA[q], has ? c.wordsA[q] : 0) << q;
    EXPECT_EQ(r.partWordsB[q], has ? 12 : 0) << q;
    EXPECT_EQ(r.normTrialCounts[q], has ? c.wordsC[q] : -1) << q;
  }
  std::string problem;
  EXPECT_TRUE(r.CheckPublishedTables(&problem)) << problem;

  // The host's list: the part's trials, the test list played round and round.
  const uint32_t trials = t.m_task.TaskPartTrials[c.part];
  ASSERT_EQ(t.m_host.trialCount, trials);
  for (uint32_t i = 0; i < trials; ++i) {
    ASSERT_STREQ(t.m_host.trialList[i], c.test[i % c.testLength]) << i;
  }

  // A practice run plays the practice list once.
  ASSERT_TRUE(t.Setup(c.version, c.part, true));
  ASSERT_EQ(t.m_host.trialCount, 12u);
  for (uint32_t i = 0; i < 12; ++i) EXPECT_STREQ(t.m_host.trialList[i], c.practice[i]);
}

INSTANTIATE_TEST_SUITE_P(Cases, RunSetup, testing::ValuesIn(Cases()), [](const auto& info) {
  return std::string(info.param.task) + "_v" + std::to_string(info.param.version) + "_p" +
         std::to_string(info.param.part + 1);
});

TEST(RunSetupRefused, VersionOrPartOutOfRange) {
  for (const char* task : {"MSL", "FA4L", "MSO1"}) {
    LoadedTask t(task);
    ASSERT_TRUE(t.Loaded());
    EXPECT_FALSE(t.Setup(0, 0)) << task;
    EXPECT_FALSE(t.Setup(4, 0)) << task;
    EXPECT_FALSE(t.Setup(1, t.m_library.partCount)) << task;
    EXPECT_EQ(t.m_library.testTrialList, nullptr) << task;
    EXPECT_EQ(t.m_host.trialCount, 0u) << task;
    EXPECT_TRUE(t.Setup(1, 0)) << task;
  }
}

// Texts: the description, the current part's instruction and (focused
// attention) the help on the parameter, in the host's language.
struct TextCase {
  const char* task;
  int language;
  int part;
  const char* description;  // the title each text starts with
  const char* partText;
  const char* parameters;  // "" when the task has none
};

const TextCase kTexts[] = {
    {"MSL", 0, 0, "Memory Search Letters", "Part 1: one target letter", ""},
    {"MSL", 1, 1, "Memory Search Letters", "Part 2: two target letters", ""},
    {"MSL", 1, 2, "Memory Search Letters", "Part 3: three target letters", ""},
    {"MSL", 2, 0, "Geheugen zoeken letters", "Deel 1: \\'e9\\'e9n doelletter", ""},
    {"MSL", 2, 1, "Geheugen zoeken letters", "Deel 2: twee doelletters", ""},
    {"MSL", 2, 2, "Geheugen zoeken letters", "Deel 3: drie doelletters", ""},
    {"MSL", 3, 0, "Ricerca in memoria di lettere", "Parte 1: una lettera bersaglio", ""},
    {"MSL", 3, 1, "Ricerca in memoria di lettere", "Parte 2: due lettere bersaglio", ""},
    {"MSL", 3, 2, "Ricerca in memoria di lettere", "Parte 3: tre lettere bersaglio", ""},
    {"MSL", 9, 2, "Memory Search Letters", "Part 3: three target letters", ""},
    {"FA4L", 0, 0, "Focused Attention 4 letters", "Part 1: one target letter", "Relevant diagonal"},
    {"FA4L", 1, 1, "Focused Attention 4 letters", "Part 2: three target letters", "Relevant diagonal"},
    {"FA4L", 2, 0, "Gerichte aandacht 4 letters", "Deel 1: \\'e9\\'e9n doelletter", "Relevante diagonaal"},
    {"FA4L", 2, 1, "Gerichte aandacht 4 letters", "Deel 2: drie doelletters", "Relevante diagonaal"},
    {"FA4L", 3, 0, "Attenzione focalizzata 4 lettere", "Parte 1: una lettera bersaglio", "Diagonale rilevante"},
    {"FA4L", 3, 1, "Attenzione focalizzata 4 lettere", "Parte 2: tre lettere bersaglio", "Diagonale rilevante"},
    {"MSO1", 0, 0, "Memory Search Objects 1 key", "Part 1: one animal", ""},
    {"MSO1", 1, 1, "Memory Search Objects 1 key", "Part 2: two animals", ""},
    {"MSO1", 2, 0, "Geheugen zoeken objecten 1 toets", "Deel 1: \\'e9\\'e9n dier", ""},
    {"MSO1", 2, 1, "Geheugen zoeken objecten 1 toets", "Deel 2: twee dieren", ""},
    {"MSO1", 3, 0, "Ricerca in memoria di oggetti 1 tasto", "Parte 1: un animale", ""},
    {"MSO1", 3, 1, "Ricerca in memoria di oggetti 1 tasto", "Parte 2: due animali", ""},
};

class Texts : public testing::TestWithParam<TextCase> {};

std::string Title(const std::string& rtf) {
  const std::string open = "{\\b ";
  const size_t at = rtf.find(open);
  if (at == std::string::npos) return "";
  const size_t end = rtf.find('}', at);
  return rtf.substr(at + open.size(), end - at - open.size());
}

TEST_P(Texts, InTheHostsLanguageForTheCurrentPart) {
  const TextCase& c = GetParam();
  LoadedTask t(c.task);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, c.part, false, c.language));
  EXPECT_EQ(t.m_library.texts[0].rfind("{\\rtf1", 0), 0u) << "an RTF document";
  EXPECT_EQ(Title(t.m_library.texts[0]), c.description);
  EXPECT_EQ(Title(t.m_library.texts[1]), c.partText);
  EXPECT_EQ(Title(t.m_library.texts[2]), c.parameters);
  EXPECT_EQ(t.m_library.texts[3], "");
}

INSTANTIATE_TEST_SUITE_P(Cases, Texts, testing::ValuesIn(kTexts));

TEST(TextsAtLoad, TheFirstPartInEnglish) {
  LoadedTask t("MSL");
  ASSERT_TRUE(t.Loaded());
  EXPECT_EQ(Title(t.m_library.texts[0]), "Memory Search Letters");
  EXPECT_EQ(Title(t.m_library.texts[1]), "Part 1: one target letter");
}

}  // namespace

}  // namespace qel
