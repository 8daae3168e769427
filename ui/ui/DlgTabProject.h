// The "Projects" page of the main view: the project files of a working
// folder, which one becomes the working project, the project dialog on a
// chosen file (new, password, properties, convert to CFR), and the loaded
// task plug-ins, of which the checked ones make a new experiment model.
#pragma once

#include <string>

#include "ui/ProjectsPageRules.h"
#include "ui/ui/DlgTab.h"

class wxButton;
class wxCheckBox;
class wxStaticBox;
class wxTextCtrl;

namespace qel {

class CListCtrlDlls;
class CListCtrlProjects;

class CDlgTabProject : public CDlgTab {
 public:
  enum ControlId : int {
    kTemplateId = 169,
    kIdNew = 1095,
    kIdCompact = 1096,
    kIdPassword = 1097,
    kIdConvert = 1098,
    kIdUsers = 1099,
    kIdMakeModel = 1103,
    kIdLongList = 1225,
    kIdPlugins = 1235,
    kIdProjects = 1244,
    kIdFolder = 1245,
    kIdBrowse = 1246,
    kIdProjectsGroup = 1247,
    kIdSelect = 1249,
    kIdProperties = 1250,
    kIdRefresh = 1251,
    kIdPluginsGroup = 1258,
    kIdProjectsHelp = 1304,
    kIdPluginsHelp = 1305,
  };
  static constexpr unsigned kHelpText = 222;

  CDlgTabProject();
  // The working folder goes back to the profile.
  ~CDlgTabProject() override;

  bool CreatePage(wxWindow* parent) override;
  void Refresh() override;
  void UpdateControls() override;

  ProjectsPageState GetState() const;
  const std::string& GetWorkingFolder() const { return m_folder; }
  const std::string& GetSelectedPath() const { return m_selectedPath; }
  int GetSelectedRow() const { return m_selectedRow; }
  CListCtrlProjects* GetProjectList() const { return m_pProjects; }
  CListCtrlDlls* GetPluginList() const { return m_pPlugins; }

  // The actions of the buttons.
  void SetWorkingFolder(const std::string& folder);
  void Browse();
  void RefillProjects();
  void SelectProject();
  void ProjectDialog(int mode);
  void MakeModel();

 protected:
  void OnNotify(CQelNotifyEvent& event) override;

 private:
  void RefillPlugins();
  void TakeRow(int row);
  // Whether the selected project is a CFR project (asked of the file once per selection).
  void TakeCfrMark();
  void OnButton(wxCommandEvent& event);
  void OnLongList(wxCommandEvent& event);

  wxTextCtrl* m_pFolder = nullptr;
  CListCtrlProjects* m_pProjects = nullptr;
  CListCtrlDlls* m_pPlugins = nullptr;
  wxStaticBox* m_pProjectsGroup = nullptr;
  wxStaticBox* m_pPluginsGroup = nullptr;
  wxCheckBox* m_pLongList = nullptr;
  std::string m_folder;
  int m_selectedRow = -1;
  int m_projectCount = 0;
  int m_pluginCount = 0;
  std::string m_selectedPath;
  std::string m_selectedKey;
  bool m_selectedCfr = false;
};

}  // namespace qel
