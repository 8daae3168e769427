#include "ui/ui/ComboBoxQel.h"

#include "app/model/ExpModel.h"
#include "common/ui/WxText.h"
#include "project/ComboSink.h"
#include "project/ProjectData.h"
#include "ui/ComboKeys.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

// The project cache puts its items into the control through this.
class ChoiceSink final : public IComboSink {
 public:
  explicit ChoiceSink(wxItemContainer& choice) : m_choice(choice) {}
  void ResetContent() override { m_choice.Clear(); }
  void SetNoSelection() override { m_choice.SetSelection(wxNOT_FOUND); }
  void AddString(const std::string& text) override { m_choice.Append(ToWx(text)); }

 private:
  wxItemContainer& m_choice;
};

}  // namespace

CComboBoxQel::CComboBoxQel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size) : CComboBoxQel() {
  Create(parent, id, pos, size);
}

bool CComboBoxQel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size) {
  if (!wxOwnerDrawnComboBox::Create(parent, id, wxEmptyString, pos, size, 0, nullptr, wxCB_READONLY)) return false;
  Bind(wxEVT_COMBOBOX, &CComboBoxQel::OnSelChange, this);
  return true;
}

void CComboBoxQel::ResetItems() {
  m_keyList.m_pDataSource = nullptr;
  m_keyList.m_keys.clear();
  m_keyList.m_nRowCount = 0;
  m_keyList.m_strCurrentKey.clear();
}

bool CComboBoxQel::SelectIndex(int i) {
  if (i < 0 || static_cast<uint32_t>(i) >= m_keyList.m_nRowCount || i >= static_cast<int>(GetCount())) {
    SetSelection(wxNOT_FOUND);
    return true;
  }
  SetSelection(i);
  if (GetSelection() != i) return false;
  m_keyList.m_strCurrentKey = GetKey(i);
  OnSelected();
  SendNotify(m_keyList.m_pOwner, m_nEventCode, i);
  return true;
}

bool CComboBoxQel::SelectKey(const char* key) {
  if (!key) {
    SetSelection(wxNOT_FOUND);
    return true;
  }
  const int i = FindKey(key);
  return i >= 0 && SelectIndex(i);
}

bool CComboBoxQel::InsertItem(int index, const char* text, bool select) {
  if (!text || !*text || index < 0 || static_cast<uint32_t>(index) > m_keyList.m_nRowCount) return false;
  if (Insert(ToWx(text), static_cast<unsigned>(index)) < 0) return false;
  m_keyList.m_keys.insert(m_keyList.m_keys.begin() + std::min<size_t>(index, m_keyList.m_keys.size()), text);
  ++m_keyList.m_nRowCount;
  return !select || SelectIndex(index);
}

bool CComboBoxQel::DeleteIndex(int i, bool clear) {
  if (i < 0 || static_cast<uint32_t>(i) >= m_keyList.m_nRowCount || i >= static_cast<int>(GetCount())) return false;
  Delete(static_cast<unsigned>(i));
  if (static_cast<size_t>(i) < m_keyList.m_keys.size()) m_keyList.m_keys.erase(m_keyList.m_keys.begin() + i);
  --m_keyList.m_nRowCount;
  if (clear) SetSelection(wxNOT_FOUND);
  return true;
}

bool CComboBoxQel::DeleteKey(const char* key, bool clear) {
  if (m_keyList.m_nRowCount == 0) return false;
  const int i = FindKey(key);
  return i >= 0 && DeleteIndex(i, clear);
}

bool CComboBoxQel::AddToTop(const char* text, bool ignoreCase) {
  const CAddToTopPlan plan =
      PlanAddToTop(m_keyList.m_keys, static_cast<int>(GetCount()), GetSelection(), text, ignoreCase);
  switch (plan.action) {
    case CAddToTopPlan::kRefuse:
      return false;
    case CAddToTopPlan::kKeep:
      return true;
    case CAddToTopPlan::kSelectTop:
      return SelectIndex(0);
    case CAddToTopPlan::kMoveToTop:
      DeleteIndex(plan.found, true);
      [[fallthrough]];
    case CAddToTopPlan::kInsertTop:
      return InsertItem(0, text, true);
  }
  return false;
}

std::string CComboBoxQel::SelectedText() const {
  const int selected = GetSelection();
  return selected == wxNOT_FOUND ? std::string() : std::string(GetString(static_cast<unsigned>(selected)).utf8_str());
}

void CComboBoxQel::OnSelChange(wxCommandEvent&) {
  const int selected = GetSelection();
  if (selected == wxNOT_FOUND) return;
  m_keyList.m_strCurrentKey = GetKey(selected);
  OnSelected();
  PostNotify(m_keyList.m_pOwner, m_nEventCode, selected);
}

template <class FillFn>
int CComboBoxQel::FillFrom(const void* source, const char* keep, FillFn fill) {
  const std::string kept = keep ? std::string(keep) : SelectedText();
  ResetItems();
  Clear();
  m_keyList.m_pDataSource = source;
  if (!source) return 0;
  ChoiceSink sink(*this);
  const int n = fill(sink, &m_keyList.m_keys);
  if (n < 0) return -1;
  if (n == 0) {
    SetSelection(wxNOT_FOUND);
    return 0;
  }
  m_keyList.m_nRowCount = static_cast<uint32_t>(n);
  const int chosen = ChooseKeptItem(m_keyList.m_keys, kept);
  m_keyList.m_strCurrentKey = GetKey(chosen);
  SetSelection(chosen);
  return n;
}

int CComboBoxTestees::Fill(const CProjectData* project, const char* textToSelect) {
  return FillFrom(project, textToSelect, [&](IComboSink& sink, std::vector<std::string>* keys) {
    return project->FillTesteeCombo(sink, keys);
  });
}

int CComboBoxModels::Fill(const CProjectData* project) {
  return FillFrom(project, nullptr, [&](IComboSink& sink, std::vector<std::string>* keys) {
    return project->FillModelCombo(sink, keys);
  });
}

void CComboBoxTasks::ResetItems() {
  CComboBoxQel::ResetItems();
  m_pModel = nullptr;
  m_names.clear();
}

int CComboBoxTasks::Fill(const CProjectData* project, const char* model, CExpModel* expModel) {
  const int n = FillFrom(project, nullptr, [&](IComboSink& sink, std::vector<std::string>* keys) {
    return project->FillTaskCombo(sink, keys, &m_names, model);
  });
  m_pModel = expModel;
  if (n > 0 && m_pModel) m_pModel->FindTaskByCode(GetCurrentKey().c_str());
  return n;
}

void CComboBoxTasks::OnSelected() {
  if (m_pModel) m_pModel->FindTaskByCode(GetCurrentKey().c_str());
}

}  // namespace qel
