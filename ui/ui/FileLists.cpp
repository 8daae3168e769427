#include "ui/ui/FileLists.h"

#include "ui/ui/ProjectLists.h"

namespace qel {

CListCtrlProjects::CListCtrlProjects(IProjectFileProbe* probe) : m_pProbe(probe) { SetListKind(kListKindProjects); }

void CListCtrlProjects::ResetRows() {
  m_strSelectedPath.clear();
  m_paths.clear();
  CListCtrlQel::ResetRows();
}

int CListCtrlProjects::Fill(const std::string& folder, int rowToSelect) {
  std::vector<std::string> paths;
  CListRows rows = m_pProbe ? BuildProjectRows(folder, m_bProjectColumns, *m_pProbe, &paths)
                            : CListRows{ProjectListColumns(m_bProjectColumns), {}, 0, -1};
  const int shown = ShowRows(std::move(rows), nullptr, -1);
  // The paths are in place before the selection asks for its path.
  m_paths = std::move(paths);
  if (rowToSelect >= 0 && rowToSelect < shown) SelectRow(rowToSelect);
  return shown;
}

int CListCtrlProjects::Refill(const std::string& folder, int rowToSelect) {
  SetColumns(false);
  return Fill(folder, rowToSelect);
}

std::string CListCtrlProjects::GetPath(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_paths.size() ? m_paths[static_cast<size_t>(i)] : std::string();
}

void CListCtrlProjects::OnRowSelected(int row) {
  if (row >= 0 && static_cast<size_t>(row) < m_paths.size()) m_strSelectedPath = m_paths[static_cast<size_t>(row)];
}

CListCtrlDlls::CListCtrlDlls() { SetListKind(kListKindPlugIns); }

void CListCtrlDlls::ResetRows() {
  m_libraries.clear();
  CListCtrlQel::ResetRows();
}

int CListCtrlDlls::Fill(const std::vector<const CTaskLibrary*>& libraries, int rowToSelect) {
  std::vector<const CTaskLibrary*> records;
  for (const CTaskLibrary* library : libraries)
    if (library) records.push_back(library);
  const int shown = ShowRows(BuildPlugInRows(records), nullptr, -1);
  m_libraries = std::move(records);
  m_keyList.m_pDataSource = &m_libraries;
  if (rowToSelect >= 0) SelectRow(rowToSelect);
  return shown;
}

const CTaskLibrary* CListCtrlDlls::GetLibrary(int i) const {
  return i >= 0 && static_cast<size_t>(i) < m_libraries.size() ? m_libraries[static_cast<size_t>(i)] : nullptr;
}

}  // namespace qel
