// The two lists of the Projects page that show files: the project files of
// the working folder (file columns, or what each project holds) and the
// task plug-ins loaded at start-up.
#pragma once

#include <string>
#include <vector>

#include "ui/ProjectFileRows.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

class CListCtrlProjects : public CListCtrlQel {
 public:
  // The probe looks into each file on the project object's behalf; not owned.
  explicit CListCtrlProjects(IProjectFileProbe* probe = nullptr);
  void SetProbe(IProjectFileProbe* probe) { m_pProbe = probe; }
  // The eleven project columns or the five file columns, from the next SetColumns on.
  void SetProjectMode(bool projectColumns) { m_bProjectColumns = projectColumns; }
  bool IsProjectMode() const { return m_bProjectColumns; }
  bool SetColumns(bool checkBoxes) { return SetColumnTable(ProjectListColumns(m_bProjectColumns), checkBoxes); }
  // The project files of the folder; the number of rows (0 without a probe).
  int Fill(const std::string& folder, int rowToSelect);
  int Refill(const std::string& folder, int rowToSelect);
  void ResetRows() override;
  // The full path of the row selected last ("" after a reset) and of row i.
  const std::string& GetSelectedPath() const { return m_strSelectedPath; }
  std::string GetPath(int i) const;

 protected:
  void OnRowSelected(int row) override;

 private:
  IProjectFileProbe* m_pProbe;
  bool m_bProjectColumns = false;
  std::string m_strSelectedPath;
  std::vector<std::string> m_paths;
};

class CListCtrlDlls : public CListCtrlQel {
 public:
  CListCtrlDlls();
  bool SetColumns(bool checkBoxes) { return SetColumnTable(PlugInListColumns(), checkBoxes); }
  // One row per record; the number of rows.
  int Fill(const std::vector<const CTaskLibrary*>& libraries, int rowToSelect);
  // The record of row i; null out of range.
  const CTaskLibrary* GetLibrary(int i) const;
  void ResetRows() override;

 private:
  std::vector<const CTaskLibrary*> m_libraries;
};

}  // namespace qel
