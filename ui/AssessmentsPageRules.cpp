#include "ui/AssessmentsPageRules.h"

namespace qel {

namespace {

constexpr int kFlagUsers = 1;
constexpr int kFlagTestees = 2;
constexpr int kFlagScores = 32;
constexpr int kLeftKey = 1;
constexpr int kRightKey = 2;

std::string CountedCaption(const char* base, const char* counted, bool open, int count) {
  std::string text(base);
  if (open) text += std::string(" (") + counted + " " + std::to_string(count) + ")";
  return text;
}

PageButton Enabled(bool enabled) {
  PageButton button;
  button.enabled = enabled;
  return button;
}

}  // namespace

std::string CurrentTesteeCaption(bool open, int count) {
  return CountedCaption("Current testee", "total in project", open, count);
}

std::string CurrentModelCaption(bool open, int count) {
  return CountedCaption("Current model", "total in project", open, count);
}

std::string CurrentTaskCaption(bool open, int count) {
  return CountedCaption("Current task", "total in model", open, count);
}

std::string CurrentAssessmentCaption(bool open, int filed) {
  return CountedCaption("Current assessment", "filed", open, filed);
}

std::string KeysMappingText(int testeeCount, int modelCount, int taskCount, int leftCode, int rightCode) {
  if (testeeCount < 1 || modelCount < 1 || taskCount < 1) return std::string();
  if (leftCode == kLeftKey && rightCode == kRightKey) return "Initial keys mapping";
  if (leftCode == kRightKey && rightCode == kLeftKey) return "Exchange keys mapping";
  return "?";
}

std::string TaskVersionText(bool available, const std::string& versionName) {
  return available ? versionName : std::string("<NOT AVAILABLE>");
}

AssessmentsPageControls AssessmentsPageRules(const AssessmentsPageState& s) {
  AssessmentsPageControls c;
  const bool may = s.loggedIn || !s.cfrMode;
  const bool idle = may && !s.running;
  const bool taskInModel = s.hasTask && s.hasModel;
  const bool testeeInProject = s.hasTestee && s.open;

  c.testeeCombo = Enabled(idle && s.testeeCount > 0);
  c.modelCombo = Enabled(idle && s.modelCount > 0);
  c.taskCombo = Enabled(idle && s.taskCount > 0);
  c.list = Enabled(idle && s.open);

  c.findTestee = Enabled(idle && s.open && s.hasTestee);
  c.findModel = Enabled(idle && s.open && s.hasModel);
  c.findTask = Enabled(idle && s.open && s.hasTask);
  c.findAssessment = Enabled(idle && s.open && s.hasTestee && s.done);
  c.filterTree = Enabled(idle && s.open && s.hasTestee);

  c.newTestee = Enabled(idle && s.open);
  c.search = Enabled(idle && s.open && s.testeeCount > 0);
  c.viewTestee = Enabled(idle && testeeInProject);
  c.viewModel = Enabled(idle && s.hasModel);
  c.viewTask = Enabled(idle && s.hasTask);

  c.part = Enabled(idle && taskInModel);
  c.part.shown = s.partCount >= 2;

  c.instruct = Enabled(idle && taskInModel && s.available);
  c.practice = c.instruct;
  c.test = Enabled(idle && taskInModel && testeeInProject && s.available && !s.done && s.ready);
  c.stop = Enabled(may && s.running);
  c.stop.shown = c.stop.enabled;

  c.viewScore = Enabled(idle && s.done);
  c.buildScore = Enabled(idle && s.done && s.ready);

  c.taskAssessments = Enabled(idle && taskInModel && testeeInProject);
  c.taskScores = c.taskAssessments;
  c.assessment = c.taskAssessments;

  c.testeeCaption = CurrentTesteeCaption(s.open, s.testeeCount);
  c.modelCaption = CurrentModelCaption(s.open, s.modelCount);
  c.taskCaption = CurrentTaskCaption(s.open, s.taskCount);
  c.assessmentCaption = CurrentAssessmentCaption(s.open, s.filedCount);
  c.keysMapping = KeysMappingText(s.testeeCount, s.modelCount, s.taskCount, s.leftCode, s.rightCode);
  return c;
}

int RebuiltScoreFlags(bool usersAdded, bool treeRelabelled, int outdatedBefore, int outdatedAfter) {
  int flags = kFlagScores;
  if (usersAdded) flags |= kFlagUsers;
  if (treeRelabelled) flags |= kFlagTestees;
  if ((outdatedBefore == 0) != (outdatedAfter == 0)) flags |= kFlagTestees;
  return flags;
}

}  // namespace qel
