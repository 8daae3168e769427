// The lists that show the open project: testees, testee codes, models, the
// tasks of an experiment model, the parts and assessments of one model
// task, stored assessments (responses), stored scores, users, and the
// change histories of a testee and of a score set. Each takes its rows
// from a row builder (ui/ProjectDataRows.h); the testee, response and score
// lists hold thousands of rows and show them virtually.
//
// Every list is made with the default constructor and Create (the lists
// with virtual rows pass that to the base themselves), then given its
// columns with SetColumns and its rows with Fill; Refill does both.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/ProjectDataRows.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

class CExpModel;
class CExpModelTask;
class CProjectData;
class IProjectHistory;
struct CTesteeFilter;

// The list kinds' numbers in their event codes.
enum ListKind : int {
  kListKindBase = 0,
  kListKindProjects = 1,
  kListKindPlugIns = 2,
  kListKindTestees = 3,
  kListKindTesteeCodes = 4,
  kListKindModels = 5,
  kListKindTasks = 6,
  kListKindAssessments = 7,
  kListKindScores = 8,
};

class CListCtrlTestees : public CListCtrlQel {
 public:
  CListCtrlTestees() { SetListKind(kListKindTestees); }
  bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize) {
    return CListCtrlQel::Create(parent, id, pos, size, true);
  }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(TesteeListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, const CTesteeFilter* filter, int rowToSelect);
  int Refill(const CProjectData* project, const CTesteeFilter* filter, int rowToSelect);
  // The kept versions of the testee's rows (every testee's for "") of an
  // audited project, in history mode.
  int FillHistory(IProjectHistory* history, const std::string& testee, int rowToSelect);
};

class CListCtrlTesteeCodes : public CListCtrlQel {
 public:
  CListCtrlTesteeCodes() { SetListKind(kListKindTesteeCodes); }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(TesteeCodeListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, int rowToSelect);
  int Refill(const CProjectData* project, int rowToSelect);
};

class CListCtrlModels : public CListCtrlQel {
 public:
  CListCtrlModels() { SetListKind(kListKindModels); }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(ModelListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, int rowToSelect);
  int Refill(const CProjectData* project, int rowToSelect);
};

class CListCtrlTasks : public CListCtrlQel {
 public:
  CListCtrlTasks() { SetListKind(kListKindTasks); }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(TaskListColumns(), checkBoxes); }
  int Fill(const CExpModel* model, int rowToSelect);
  int Refill(const CExpModel* model, int rowToSelect);
  void ResetRows() override;
  const CExpModel* GetModel() const { return m_pModel; }

 private:
  const CExpModel* m_pModel = nullptr;
};

class CListCtrlAssessments : public CListCtrlQel {
 public:
  CListCtrlAssessments() { SetListKind(kListKindAssessments); }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(AssessmentListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, const std::string& testee, const std::string& model,
           const CExpModelTask* task, int rowToSelect);
  int Refill(const CProjectData* project, const std::string& testee, const std::string& model,
             const CExpModelTask* task, int rowToSelect);
  void ResetRows() override;
  // Completed assessments of part 1-16 (0 / -1 for any other part).
  int GetCompletedCount(int part) const;
  int FindCompleted(int part, uint32_t assessment) const;

 private:
  std::vector<std::vector<uint32_t>> m_completed;
};

// Stored assessments, filtered by testee, model and task ("" for all).
class CListCtrlResponses : public CListCtrlQel {
 public:
  CListCtrlResponses() = default;
  bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize) {
    return CListCtrlQel::Create(parent, id, pos, size, true);
  }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(ResponseListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, const std::string& testee, const std::string& model,
           const std::string& task, int rowToSelect);
  int Refill(const CProjectData* project, const std::string& testee, const std::string& model,
             const std::string& task, int rowToSelect);
  // The kept versions of the rows of an audited project.
  int FillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                  const std::string& task, int rowToSelect);
  int RefillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                    const std::string& task, int rowToSelect);
  void ResetRows() override;
  // The row's own testee, model and task; the filter text out of range.
  std::string GetRowTestee(int i) const { return RowText(i, 1, m_testee); }
  std::string GetRowModel(int i) const { return RowText(i, 2, m_model); }
  std::string GetRowTask(int i) const { return RowText(i, 3, m_task); }

 protected:
  std::string RowText(int row, int column, const std::string& filter) const;
  std::string m_testee, m_model, m_task;
};

// Stored scores, filtered as the responses are.
class CListCtrlVariables : public CListCtrlResponses {
 public:
  CListCtrlVariables() { SetListKind(kListKindScores); }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(ScoreListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, const std::string& testee, const std::string& model,
           const std::string& task, int rowToSelect);
  int Refill(const CProjectData* project, const std::string& testee, const std::string& model,
             const std::string& task, int rowToSelect);
  // The kept versions of the score rows of an audited project, in history mode.
  int FillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                  const std::string& task, int rowToSelect);
  int RefillHistory(IProjectHistory* history, const std::string& testee, const std::string& model,
                    const std::string& task, int rowToSelect);
  void ResetRows() override;
  // The saving date of row i; null out of range.
  QelDateTime GetRowDate(int i) const;
  bool IsHistoryMode() const { return m_historyMode; }

 private:
  void Remember(std::vector<QelDateTime> saved, const std::string& testee, const std::string& model,
                const std::string& task, bool historyMode);

  std::vector<QelDateTime> m_savedDates;
  bool m_historyMode = false;
};

class CListCtrlUsers : public CListCtrlQel {
 public:
  bool SetColumns(bool checkBoxes) { return SetColumnTable(UserListColumns(), checkBoxes); }
  int Fill(const std::vector<CUserRecord>* users, int rowToSelect);
  int Refill(const std::vector<CUserRecord>* users, int rowToSelect);
};

// The versions of one testee's record, each row against the one before.
class CListCtrlTesteeUpdates : public CListCtrlQel {
 public:
  bool SetColumns(bool checkBoxes) { return SetColumnTable(TesteeUpdateListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, const std::string& testee, int rowToSelect);
};

// The saved versions of one assessment's score.
class CListCtrlVariablesUpdates : public CListCtrlQel {
 public:
  bool SetColumns(bool checkBoxes) { return SetColumnTable(ScoreUpdateListColumns(), checkBoxes); }
  int Fill(const CProjectData* project, const std::string& testee, const std::string& model,
           const std::string& task, uint32_t assessment, int rowToSelect);
  void ResetRows() override;
  QelDateTime GetNewDate(int i) const { return m_versions.GetNewDate(i); }
  QelDateTime GetOldDate(int i) const { return m_versions.GetOldDate(i); }
  std::string GetNewUser(int i) const { return m_versions.GetNewUser(i); }
  std::string GetOldUser(int i) const { return m_versions.GetOldUser(i); }

 private:
  CScoreVersions m_versions;
};

}  // namespace qel
