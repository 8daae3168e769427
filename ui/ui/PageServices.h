// What the main view's pages need of the program beyond the page base: the
// open project's cache, and the dialogs that edit a project's records and
// have the project object write them. The program installs one; without
// one the pages list nothing and their actions do nothing.
#pragma once

#include <string>

class wxWindow;

namespace qel {

class CListCtrlQel;
class CProjectData;

class IPageServices {
 public:
  virtual ~IPageServices() = default;

  // The open project's cache; null when no project is open.
  virtual const CProjectData* GetProjectData() = 0;

  // The testee-code dialog for a new code (*code empty) or to edit *code
  // (read from the project first); on OK the record is written by the
  // project object. True when written: *code is the code written and
  // *usersAdded tells whether the logged-in user joined the project's users.
  // False for a cancelled dialog or a failed read or write (reported by the
  // project object).
  virtual bool EditTesteeCode(wxWindow* parent, std::string* code, bool* usersAdded) = 0;
  // The same for a testee; *datesChanged tells whether the birth date or the
  // preference changed.
  virtual bool EditTestee(wxWindow* parent, std::string* testee, bool* usersAdded, bool* datesChanged) = 0;
  // The testee search (tree-filter buttons, marking and single selection
  // on); markList's rows of the marked testees are checked. True on OK with
  // *selected the chosen testee.
  virtual bool SearchTestee(wxWindow* parent, CListCtrlQel* markList, std::string* selected) = 0;
  // The history of every testee's record, and the changes of one testee.
  virtual void ShowTesteeHistory(wxWindow* parent) = 0;
  virtual void ShowTesteeChanges(wxWindow* parent, const std::string& testee) = 0;
  // The stored assessments (responses) of the testee, model and task (""
  // for any), or with history their kept versions; OK hands back nothing the
  // pages use. The stored scores likewise, each opened in the score dialog
  // from the list. Services without them show nothing.
  virtual void ShowAssessments(wxWindow* /*parent*/, bool /*history*/, const std::string& /*testee*/,
                               const std::string& /*model*/, const std::string& /*task*/) {}
  virtual void ShowScores(wxWindow* /*parent*/, bool /*history*/, const std::string& /*testee*/,
                          const std::string& /*model*/, const std::string& /*task*/) {}
};

void SetPageServices(IPageServices* services);
IPageServices* GetPageServices();

}  // namespace qel
