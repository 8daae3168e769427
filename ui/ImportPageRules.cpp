#include "ui/ImportPageRules.h"

namespace qel {

namespace {

std::string Counted(const char* base, bool withTotal, int count) {
  std::string text(base);
  if (withTotal) text += " (total " + std::to_string(count) + ")";
  return text;
}

}  // namespace

ImportPageControls ImportPageRules(const ImportPageState& s) {
  ImportPageControls c;
  const bool base = !s.running && s.hasSource;
  c.testeeList = base && s.testeeCount > 0;
  c.modelList = base && s.modelCount > 0;
  c.scoreList = base && s.scoreCount > 0;
  c.importTestees = c.testeeList && s.checkedTestees > 0;
  c.importModels = c.modelList && s.checkedModels > 0;
  c.importScores = c.scoreList && s.checkedScores > 0;
  c.testeeCaption = Counted("Testees", s.hasSource, s.testeeCount);
  c.modelCaption = Counted("Models", s.hasSource, s.modelCount);
  c.scoreCaption = Counted("Score", s.hasSource, s.scoreCount);
  return c;
}

}  // namespace qel
