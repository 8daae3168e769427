// The program's page services: the Testees page's dialogs over the
// program's project object. The testee and testee-code dialogs validate and
// collect; their records are then written here through the project object
// as the logged-in user. The search and the history dialogs read the open
// project.
#pragma once

#include <functional>
#include <string>

#include "ui/ui/PageServices.h"

namespace qel {

class CProgramProject;

class CProgramPageServices final : public IPageServices {
 public:
  // The project object the services work on (null: none); by default the
  // program's own.
  using ProjectSource = std::function<CProgramProject*()>;
  explicit CProgramPageServices(ProjectSource source = nullptr);

  const CProjectData* GetProjectData() override;
  bool EditTesteeCode(wxWindow* parent, std::string* code, bool* usersAdded) override;
  bool EditTestee(wxWindow* parent, std::string* testee, bool* usersAdded, bool* datesChanged) override;
  bool SearchTestee(wxWindow* parent, CListCtrlQel* markList, std::string* selected) override;
  void ShowTesteeHistory(wxWindow* parent) override;
  void ShowTesteeChanges(wxWindow* parent, const std::string& testee) override;

 private:
  // The project object when a project is open; else null.
  CProgramProject* OpenProject() const;

  ProjectSource m_source;
};

}  // namespace qel
