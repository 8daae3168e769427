// The users list dialogs. CDlgUsers lists the users of a project or of the
// workstation, optionally looking for one Id (marked and selected), and lets
// the operator pick one; CDlgUsersCompare puts the workstation users beside
// a project's users and marks the entries that differ or are missing.
#pragma once

#include <wx/dialog.h>

#include <string>
#include <vector>

#include "admin/UserRecord.h"
#include "admin/UsersCompare.h"

namespace qel {

class CListCtrlUsers;
class CQelNotifyEvent;

class CDlgUsers : public wxDialog {
 public:
  enum ControlId : int { kIdCount = 1013, kIdList = 1400, kIdNotice = 1409 };

  // users: the project's users or the workstation's (copied); projectName:
  // the project's name, null for the workstation; viewOnly: no choice is
  // offered; idToFind: an Id to look for ("" for none).
  CDlgUsers(wxWindow* parent, const std::vector<CUserRecord>& users, const std::string* projectName, bool viewOnly,
            const std::string& idToFind);

  CListCtrlUsers& List() { return *m_pList; }
  // The row chosen by OK (-1 before), and its user.
  int GetChosenRow() const { return m_chosenRow; }
  const CUserRecord* GetChosenUser() const;
  // The row of the Id looked for; -1 when absent.
  int GetFoundRow() const { return m_foundRow; }

 private:
  void Choose();
  void OnNotify(CQelNotifyEvent& event);

  std::vector<CUserRecord> m_users;
  bool m_viewOnly;
  int m_chosenRow = -1;
  int m_foundRow = -1;
  CListCtrlUsers* m_pList = nullptr;
};

class CDlgUsersCompare : public wxDialog {
 public:
  enum ControlId : int {
    kIdCount = 1013,
    kIdSecondList = 1401,
    kIdNotice = 1416,
    kIdFirstList = 1417,
    kIdSecondLabel = 1418,
    kIdFirstLabel = 1419,
  };

  // first: the workstation users; second: the project's users;
  // projectAgainstWorkstation: the project's users are marked against the
  // workstation's (else the other way round).
  CDlgUsersCompare(wxWindow* parent, const std::vector<CUserRecord>& first, const std::vector<CUserRecord>& second,
                   bool projectAgainstWorkstation, const std::string& captionName, const std::string& labelName);

  CListCtrlUsers& FirstList() { return *m_pFirst; }
  CListCtrlUsers& SecondList() { return *m_pSecond; }
  int GetDifferences() const { return m_differences; }

 private:
  void OnNotify(CQelNotifyEvent& event);

  std::vector<CUserRecord> m_first, m_second;
  int m_differences = 0;
  CListCtrlUsers* m_pFirst = nullptr;
  CListCtrlUsers* m_pSecond = nullptr;
};

// The "..." chooser of the user dialog: the users list, nothing looked for;
// true with the chosen user on OK.
bool PickUserFromList(wxWindow* parent, const std::vector<CUserRecord>& users, const std::string* projectName,
                      CUserRecord* chosen);

}  // namespace qel
