// The texts the two-choice plug-ins publish at a run's set-up, by the host's
// language (2 Dutch, 3 Italian, anything else English) and part: the
// description, the part's instruction and the help on the parameters.
#include <gtest/gtest.h>

#include <string>

#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;

struct TextCase {
  const char* task;
  int part;
  int language;
  const char* description;  // the bold title of each text
  const char* partText;
  const char* parameters;  // "" for none
};

std::ostream& operator<<(std::ostream& os, const TextCase& c) {
  return os << c.task << " part " << c.part + 1 << " language " << c.language;
}

const TextCase kTexts[] = {
    {"FL", 0, 0, "Flanker", "Part 1", ""},
    {"FL", 1, 2, "Flanker", "Deel 2", ""},
    {"FL", 1, 3, "Flanker", "Parte 2", ""},
    {"GAC", 0, 1, "Gaze-Arrow Cueing", "Task has no parts!", "Cue timing"},
    {"GAC", 0, 2, "Pijl- en blikrichting", "Task has no parts!", "Tijden van de aanwijzing"},
    {"GAC", 0, 3, "Orientamento da sguardo e freccia", "Task has no parts!", "Tempi del segnale"},
    {"FI", 0, 7, "Feature Integration", "Task has no parts!", ""},
    {"FI", 0, 2, "Kenmerkintegratie", "Task has no parts!", ""},
    {"FI", 0, 3, "Integrazione di caratteristiche", "Task has no parts!", ""},
    {"SSV", 2, 0, "Shifting Attentional Set Visual", "Part 3: mixed", ""},
    {"SSV", 1, 2, "Verschuiven van de aandacht", "Deel 2: tegengesteld", ""},
    {"SSV", 0, 3, "Spostamento dell'attenzione visiva", "Parte 1: compatibile", ""},
    {"ROA", 0, 1, "Response Organization Arrows", "Part 1: compatible", ""},
    {"ROA", 2, 2, "Responsorganisatie met pijlen", "Deel 3: gemengd", ""},
    {"ROA", 1, 3, "Organizzazione della risposta con frecce", "Parte 2: incompatibile", ""},
};

class ChoiceTexts : public testing::TestWithParam<TextCase> {};

std::string Title(const char* title) { return std::string("{\\b ") + title + "}"; }

TEST_P(ChoiceTexts, PublishedForTheLanguageAndPart) {
  const TextCase& c = GetParam();
  LoadedTask t(c.task);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, c.part, false, c.language));
  EXPECT_NE(t.m_library.texts[0].find(Title(c.description)), std::string::npos) << t.m_library.texts[0];
  EXPECT_NE(t.m_library.texts[1].find(Title(c.partText)), std::string::npos) << t.m_library.texts[1];
  if (c.parameters[0]) {
    EXPECT_NE(t.m_library.texts[2].find(Title(c.parameters)), std::string::npos) << t.m_library.texts[2];
  } else {
    EXPECT_TRUE(t.m_library.texts[2].empty());
  }
  EXPECT_TRUE(t.m_library.texts[3].empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ChoiceTexts, testing::ValuesIn(kTexts));

}  // namespace

}  // namespace qel
