#include "ui/ExportPageRules.h"

namespace qel {

namespace {

std::string Counted(const char* base, bool withTotal, int count) {
  std::string text(base);
  if (withTotal) text += " (total " + std::to_string(count) + ")";
  return text;
}

}  // namespace

ExportPageControls ExportPageRules(const ExportPageState& s) {
  ExportPageControls c;
  const bool may = s.loggedIn || !s.cfrMode;
  const bool base = !s.running && s.hasPath;
  const bool testees = base && s.testeeCount > 0;
  const bool models = base && s.modelCount > 0;
  const bool tasks = base && s.taskCount > 0;
  const bool checked = s.checkedCount > 0;
  c.testeeList = may && testees;
  c.selectAll = c.selectGroup = c.selectOne = may && testees && s.scoredCount > 0;
  c.unselectAll = may && testees && checked;
  c.modelCombo = may && models;
  c.taskCombo = may && tasks;
  c.exportScore = may && testees && checked && models && tasks;
  c.testeeCaption = Counted("Testees in project", s.hasPath, s.testeeCount);
  c.modelCaption = Counted("Model selected", s.hasPath, s.modelCount);
  c.taskCaption = Counted("Task selected", s.hasPath, s.taskCount);
  return c;
}

bool RefuseExportCheck(bool guarded, int row, int testeeCount, bool rowScored) {
  return guarded && row >= 0 && row < testeeCount && !rowScored;
}

}  // namespace qel
