#include "ui/DataPageRules.h"

#include <algorithm>

namespace qel {

namespace {

std::string Counted(const char* base, bool withTotal, int count) {
  std::string text(base);
  if (withTotal) text += " (total " + std::to_string(count) + ")";
  return text;
}

PageButton Button(bool shown, bool enabled) {
  PageButton b;
  b.shown = shown;
  b.enabled = enabled;
  return b;
}

std::string NamePart(std::string text) {
  std::replace(text.begin(), text.end(), '/', '_');
  return text;
}

}  // namespace

DataPageControls DataPageRules(const DataPageState& s) {
  DataPageControls c;
  const bool may = s.loggedIn || !s.cfrMode;
  const bool base = !s.running && s.open;
  const bool testees = base && s.testeeCount > 0;
  const bool models = base && s.modelCount > 0;
  const bool tasks = base && s.taskCount > 0;
  const bool scores = base && s.scoreCount > 0;
  const bool all5 = may && testees && models && tasks && scores;
  const bool row = s.selectedRow >= 0;

  c.search = Button(!s.allTestees, !s.running && may && s.open && s.testeeCount > 0);
  c.testeeCombo = Button(!s.allTestees, may && testees);
  c.modelCombo = Button(!s.allModels, may && models);
  c.taskCombo = Button(!s.allModels && !s.allTasks, may && tasks);
  c.allTestees = Button(true, may && testees);
  c.allModels = Button(true, may && models);
  c.allTasks = Button(true, may && !s.allModels && tasks);
  c.scoreList = Button(true, may && scores);
  c.deleteAll = Button(all5 && s.userType1, all5 && s.userType1);
  c.deleteOne = Button(all5 && s.userType1 && row, all5 && s.userType1 && row);
  c.exportRaw = Button(true, all5 && row);
  c.assessments = Button(true, all5);
  c.responsesHistory = Button(false, false);
  const bool history = s.cfrMode && s.cfrOpen && s.scoreChanges;
  c.scoresHistory = Button(history, history && all5);

  c.testeeCaption = Counted("Testee selected", s.open, s.testeeCount);
  c.modelCaption = Counted("Model selected", s.open, s.modelCount);
  c.taskCaption = Counted("Task selected", s.open && !s.allModels, s.taskCount);
  c.scoreCaption = Counted("Scores available", s.open, s.scoreCount);
  return c;
}

std::string RawResponseFileName(const DataPageScore& score) {
  return "R_" + NamePart(score.task) + "_" + std::to_string(score.assessment) + "_" + NamePart(score.testee);
}

}  // namespace qel
