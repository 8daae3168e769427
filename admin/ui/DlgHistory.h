// The update-history dialogs: a project's stored testees, assessments and
// scores, and for an audited (CFR) project the kept versions of them, each
// in one data list filled from the project when the dialog opens:
//   CDlgTesteeHistory           testees, or the kept versions of testee rows;
//                               "Changes" opens the updates of one testee;
//   CDlgTesteeUpdates           the versions of one testee's record;
//   CDlgAssessmentHistory       stored responses or their kept versions; OK
//                               hands back the chosen row;
//   CDlgScoreHistory            stored scores or their kept versions; "View"
//                               opens the chosen score and stays open;
//   CDlgAssessmentScoreHistory  the saved versions of one assessment's
//                               score; OK hands back the chosen version.
// The project may be null: the lists stay empty and the captions show the
// mode text alone.
#pragma once

#include <wx/dialog.h>

#include <cstdint>
#include <functional>
#include <string>

#include "include/qel/DateTime.h"

class wxStaticText;

namespace qel {

class CListCtrlQel;
class CListCtrlResponses;
class CListCtrlTestees;
class CListCtrlTesteeUpdates;
class CListCtrlVariables;
class CListCtrlVariablesUpdates;
class CQelNotifyEvent;
class IHistoryProject;

// The frame every history dialog shares: its list above, the count with its
// label, the empty notice (when the dialog has one), OK and "Close" below.
class CDlgHistoryBase : public wxDialog {
 public:
  enum ControlId : int { kIdCount = 1013, kIdEmpty = 1410, kIdChanges = 1428 };

  const std::string& GetModeText() const { return m_mode; }
  int GetRowCount() const { return m_count; }

 protected:
  CDlgHistoryBase(wxWindow* parent, const char* caption, IHistoryProject* project, std::string mode);
  // Places the list and the bottom row (extra: a button before OK, or null).
  void Lay(wxWindow* list, const char* countLabel, const char* emptyText, wxWindow* extra);
  // Writes the count ("%d"), shows the empty notice below 1, sets the
  // caption, disables OK.
  void Finish(int count, const std::string& caption);
  bool HasEmptyNotice() const { return m_hasEmpty; }

  IHistoryProject* m_pProject;
  std::string m_mode;
  int m_count = 0;

 private:
  bool m_hasEmpty = false;
};

class CDlgTesteeHistory : public CDlgHistoryBase {
 public:
  static constexpr const char* kListMode = "Testees available";
  static constexpr const char* kHistoryMode = "History of updates of testees data";
  enum ControlId : int { kIdList = 1189 };

  // testee: one testee's rows; empty: every testee's.
  CDlgTesteeHistory(wxWindow* parent, IHistoryProject* project, const std::string& testee, bool history);

  CListCtrlTestees& List() { return *m_pList; }
  const std::string& GetChosenTestee() const { return m_chosen; }
  bool AreChangesAllowed() const { return m_changesAllowed; }
  // "Changes" (and a double click): the updates of the chosen testee.
  void ShowChanges();

 private:
  void OnNotify(CQelNotifyEvent& event);

  CListCtrlTestees* m_pList = nullptr;
  bool m_history;
  bool m_changesAllowed = false;
  std::string m_chosen;
};

class CDlgTesteeUpdates : public CDlgHistoryBase {
 public:
  static constexpr const char* kMode = "History of updates of testees data";
  enum ControlId : int { kIdList = 1189 };

  CDlgTesteeUpdates(wxWindow* parent, IHistoryProject* project, const std::string& testee);

  CListCtrlTesteeUpdates& List() { return *m_pList; }

 private:
  CListCtrlTesteeUpdates* m_pList = nullptr;
};

class CDlgAssessmentHistory : public CDlgHistoryBase {
 public:
  static constexpr const char* kListMode = "Testees assessments available";
  static constexpr const char* kHistoryMode = "History of updates of testees responses";
  enum ControlId : int { kIdList = 1406 };

  CDlgAssessmentHistory(wxWindow* parent, IHistoryProject* project, bool history, const std::string& testee,
                        const std::string& model, const std::string& task);

  CListCtrlResponses& List() { return *m_pList; }
  // The row chosen by OK; -1 before.
  int GetChosenRow() const { return m_chosenRow; }

 private:
  void OnNotify(CQelNotifyEvent& event);
  void OnOk(wxCommandEvent& event);

  CListCtrlResponses* m_pList = nullptr;
  bool m_history;
  int m_chosenRow = -1;
};

// One stored score, as the score history hands it to the score dialog.
struct CScoreChoice {
  std::string testee, model, task;
  uint32_t assessment = 0;
  QelDateTime savedDate = QelDateTime::Null();
};

class CDlgScoreHistory : public CDlgHistoryBase {
 public:
  static constexpr const char* kListMode = "Testees scores available";
  static constexpr const char* kHistoryMode = "History of updates of testees scores";
  enum ControlId : int { kIdList = 1414 };
  // Opens the score dialog on the score; asOf: the saved version to show
  // (null: the version that stands). Saving is never allowed there.
  using ScoreViewer = std::function<void(wxWindow* parent, const CScoreChoice& score, const QelDateTime* asOf)>;

  CDlgScoreHistory(wxWindow* parent, IHistoryProject* project, bool history, const std::string& testee,
                   const std::string& model, const std::string& task, ScoreViewer viewer);

  CListCtrlVariables& List() { return *m_pList; }
  const CScoreChoice& GetChosen() const { return m_chosen; }
  // "View": the chosen score in the score dialog; false when none was opened.
  bool ViewChosen();

 private:
  void Choose(int row);
  void OnNotify(CQelNotifyEvent& event);

  CListCtrlVariables* m_pList = nullptr;
  bool m_history;
  ScoreViewer m_viewer;
  CScoreChoice m_chosen;
};

class CDlgAssessmentScoreHistory : public CDlgHistoryBase {
 public:
  static constexpr const char* kMode = "History of updates of assessment scores";
  enum ControlId : int { kIdList = 1414 };

  CDlgAssessmentScoreHistory(wxWindow* parent, IHistoryProject* project, const std::string& testee,
                             const std::string& model, const std::string& task, uint32_t assessment, int rowToSelect);

  CListCtrlVariablesUpdates& List() { return *m_pList; }
  int GetSelectedRow() const { return m_selectedRow; }
  // The version of the chosen row and the one before it (null and "" past
  // the oldest).
  const QelDateTime& GetNewDate() const { return m_newDate; }
  const QelDateTime& GetOldDate() const { return m_oldDate; }
  const std::string& GetNewUser() const { return m_newUser; }
  const std::string& GetOldUser() const { return m_oldUser; }

 private:
  bool Choose(int row);
  void OnNotify(CQelNotifyEvent& event);

  CListCtrlVariablesUpdates* m_pList = nullptr;
  int m_selectedRow = -1;
  QelDateTime m_newDate = QelDateTime::Null();
  QelDateTime m_oldDate = QelDateTime::Null();
  std::string m_newUser, m_oldUser;
};

}  // namespace qel
