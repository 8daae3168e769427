#include "ui/ui/ProjectLists.h"

#include <algorithm>

namespace qel {

// ---- testees, testee codes, models, tasks ------------------------------------------------------

int CListCtrlTestees::Fill(const CProjectData* project, const CTesteeFilter* filter, int rowToSelect) {
  return ShowRows(BuildTesteeRows(project, filter, false), project, rowToSelect);
}

int CListCtrlTestees::Refill(const CProjectData* project, const CTesteeFilter* filter, int rowToSelect) {
  SetColumns(false);
  return Fill(project, filter, rowToSelect);
}

int CListCtrlTestees::FillHistory(IProjectHistory* history, const std::string& testee, int rowToSelect) {
  SetColumns(false);
  return ShowRows(BuildTesteeHistoryRows(history, testee), history, rowToSelect);
}

int CListCtrlTesteeCodes::Fill(const CProjectData* project, int rowToSelect) {
  return ShowRows(BuildTesteeCodeRows(project), project, rowToSelect);
}

int CListCtrlTesteeCodes::Refill(const CProjectData* project, int rowToSelect) {
  SetColumns(false);
  return Fill(project, rowToSelect);
}

int CListCtrlModels::Fill(const CProjectData* project, int rowToSelect) {
  return ShowRows(BuildModelRows(project), project, rowToSelect);
}

int CListCtrlModels::Refill(const CProjectData* project, int rowToSelect) {
  SetColumns(false);
  return Fill(project, rowToSelect);
}

void CListCtrlTasks::ResetRows() {
  m_pModel = nullptr;
  CListCtrlQel::ResetRows();
}

int CListCtrlTasks::Fill(const CExpModel* model, int rowToSelect) {
  const int shown = ShowRows(BuildTaskRows(model), nullptr, rowToSelect);
  m_pModel = model;
  return shown;
}

int CListCtrlTasks::Refill(const CExpModel* model, int rowToSelect) {
  SetColumns(false);
  return Fill(model, rowToSelect);
}

// ---- parts and assessments of one task ----------------------------------------------------------

void CListCtrlAssessments::ResetRows() {
  m_completed.clear();
  CListCtrlQel::ResetRows();
}

int CListCtrlAssessments::Fill(const CProjectData* project, const std::string& testee, const std::string& model,
                               const CExpModelTask* task, int rowToSelect) {
  std::vector<std::vector<uint32_t>> completed;
  const int shown = ShowRows(BuildAssessmentRows(project, testee, model, task, &completed), project, rowToSelect);
  m_completed = std::move(completed);
  return shown;
}

int CListCtrlAssessments::Refill(const CProjectData* project, const std::string& testee, const std::string& model,
                                 const CExpModelTask* task, int rowToSelect) {
  SetColumns(false);
  return Fill(project, testee, model, task, rowToSelect);
}

int CListCtrlAssessments::GetCompletedCount(int part) const {
  if (part < 1 || static_cast<size_t>(part) > m_completed.size()) return 0;
  return static_cast<int>(m_completed[static_cast<size_t>(part - 1)].size());
}

int CListCtrlAssessments::FindCompleted(int part, uint32_t assessment) const {
  if (part < 1 || static_cast<size_t>(part) > m_completed.size()) return -1;
  const std::vector<uint32_t>& numbers = m_completed[static_cast<size_t>(part - 1)];
  const auto it = std::find(numbers.begin(), numbers.end(), assessment);
  return it == numbers.end() ? -1 : static_cast<int>(it - numbers.begin());
}

// ---- responses and scores ------------------------------------------------------------------------

void CListCtrlResponses::ResetRows() {
  m_testee.clear();
  m_model.clear();
  m_task.clear();
  CListCtrlQel::ResetRows();
}

int CListCtrlResponses::Fill(const CProjectData* project, const std::string& testee, const std::string& model,
                             const std::string& task, int rowToSelect) {
  const int shown = ShowRows(BuildResponseRows(project, testee, model, task), project, rowToSelect);
  m_testee = testee;
  m_model = model;
  m_task = task;
  return shown;
}

int CListCtrlResponses::Refill(const CProjectData* project, const std::string& testee, const std::string& model,
                               const std::string& task, int rowToSelect) {
  SetColumns(false);
  return Fill(project, testee, model, task, rowToSelect);
}

int CListCtrlResponses::FillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                                    const std::string& task, int rowToSelect) {
  SetColumns(false);
  const int shown = ShowRows(BuildResponseHistoryRows(history, testee, model, task), history, rowToSelect);
  m_testee = testee;
  m_model = model;
  m_task = task;
  return shown;
}

int CListCtrlResponses::RefillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                                      const std::string& task, int rowToSelect) {
  SetColumns(false);
  return FillHistory(history, testee, model, task, rowToSelect);
}

std::string CListCtrlResponses::RowText(int row, int column, const std::string& filter) const {
  if (row < 0 || static_cast<size_t>(row) >= GetShownRows().rows.size()) return filter;
  return GetCellText(row, column);
}

void CListCtrlVariables::ResetRows() {
  m_savedDates.clear();
  m_historyMode = false;
  CListCtrlResponses::ResetRows();
}

void CListCtrlVariables::Remember(std::vector<QelDateTime> saved, const std::string& testee, const std::string& model,
                                  const std::string& task, bool historyMode) {
  m_savedDates = std::move(saved);
  m_testee = testee;
  m_model = model;
  m_task = task;
  m_historyMode = historyMode;
}

int CListCtrlVariables::Fill(const CProjectData* project, const std::string& testee, const std::string& model,
                             const std::string& task, int rowToSelect) {
  std::vector<QelDateTime> saved;
  const int shown = ShowRows(BuildScoreRows(project, testee, model, task, false, &saved), project, rowToSelect);
  Remember(std::move(saved), testee, model, task, false);
  return shown;
}

int CListCtrlVariables::FillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                                    const std::string& task, int rowToSelect) {
  SetColumns(false);
  std::vector<QelDateTime> saved;
  const int shown = ShowRows(BuildScoreHistoryRows(history, testee, model, task, &saved), history, rowToSelect);
  Remember(std::move(saved), testee, model, task, true);
  return shown;
}

int CListCtrlVariables::RefillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                                      const std::string& task, int rowToSelect) {
  SetColumns(false);
  return FillHistory(history, testee, model, task, rowToSelect);
}

int CListCtrlVariables::Refill(const CProjectData* project, const std::string& testee, const std::string& model,
                               const std::string& task, int rowToSelect) {
  SetColumns(false);
  return Fill(project, testee, model, task, rowToSelect);
}

QelDateTime CListCtrlVariables::GetRowDate(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_savedDates.size() ? m_savedDates[static_cast<size_t>(i)]
                                                                : QelDateTime::Null();
}

// ---- users and change histories ----------------------------------------------------------------------

int CListCtrlUsers::Fill(const std::vector<CUserRecord>* users, int rowToSelect) {
  return ShowRows(BuildUserRows(users), users, rowToSelect);
}

int CListCtrlUsers::Refill(const std::vector<CUserRecord>* users, int rowToSelect) {
  SetColumns(false);
  return Fill(users, rowToSelect);
}

int CListCtrlTesteeUpdates::Fill(const CProjectData* project, const std::string& testee, int rowToSelect) {
  SetColumns(false);
  return ShowRows(BuildTesteeUpdateRows(project, testee), project, rowToSelect);
}

void CListCtrlVariablesUpdates::ResetRows() {
  m_versions = CScoreVersions();
  CListCtrlQel::ResetRows();
}

int CListCtrlVariablesUpdates::Fill(const CProjectData* project, const std::string& testee, const std::string& model,
                                    const std::string& task, uint32_t assessment, int rowToSelect) {
  SetColumns(false);
  CScoreVersions versions;
  const int shown =
      ShowRows(BuildScoreUpdateRows(project, testee, model, task, assessment, &versions), project, rowToSelect);
  m_versions = std::move(versions);
  return shown;
}

}  // namespace qel
