// The "Testees" page of the main view: the testee codes and the testees of
// the working project, with their new and edit actions, the testee search,
// the tree filter for the current testee and, in a CFR project, the change
// history of the testees.
#pragma once

#include <string>

#include "project/TesteeFilter.h"
#include "ui/TesteesPageRules.h"
#include "ui/ui/DlgTab.h"

class wxButton;
class wxStaticBox;

namespace qel {

class CListCtrlTestees;
class CListCtrlTesteeCodes;

class CDlgTabTestee : public CDlgTab {
 public:
  enum ControlId : int {
    kTemplateId = 191,
    kIdCodeNew = 1080,
    kIdCodeEdit = 1081,
    kIdCodeDelete = 1082,
    kIdTesteeNew = 1098,
    kIdTesteeEdit = 1099,
    kIdSearch = 1100,
    kIdFilterTree = 1101,
    kIdTesteeDelete = 1104,
    kIdCodes = 1176,
    kIdTestees = 1189,
    kIdCodesGroup = 1239,
    kIdTesteesGroup = 1240,
    kIdTesteesHelp = 1306,
    kIdCodesHelp = 1307,
    kIdHistory = 1308,
    kIdChanges = 1429,
  };
  static constexpr unsigned kHelpText = 218;

  CDlgTabTestee();

  bool CreatePage(wxWindow* parent) override;
  void Refresh() override;
  void UpdateControls() override;

  // The state the controls were last updated from.
  TesteesPageState GetState() const;
  const std::string& GetCurrentTestee() const { return m_testeeId; }
  const std::string& GetCurrentCode() const { return m_code; }
  const CTesteeFilter& GetTreeFilter() const { return m_filter; }
  CListCtrlTestees* GetTesteeList() const { return m_pTestees; }
  CListCtrlTesteeCodes* GetCodeList() const { return m_pCodes; }

  // The actions of the buttons.
  void NewTesteeCode();
  void EditTesteeCode();
  void NewTestee();
  void EditTestee();
  void SearchTestee();
  void FilterTree();

 protected:
  void OnNotify(CQelNotifyEvent& event) override;

 private:
  void RefillTestees();
  void RefillCodes();
  bool MayChangeProject() const;
  bool HasTesteeRow() const;
  bool HasCodeRow() const;
  void TellWritten(const PageWriteNotice& notice, int treeCode, bool relabel);
  intptr_t SendToTree(int code, intptr_t payload);
  void OnButton(wxCommandEvent& event);

  CListCtrlTesteeCodes* m_pCodes = nullptr;
  CListCtrlTestees* m_pTestees = nullptr;
  wxStaticBox* m_pCodesGroup = nullptr;
  wxStaticBox* m_pTesteesGroup = nullptr;
  CTesteeFilter m_filter;
  int m_codeCount = 0;
  std::string m_code;
};

}  // namespace qel
