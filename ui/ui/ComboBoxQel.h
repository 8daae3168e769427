// The program's drop-down lists that pick an item of the project (a testee,
// a model, a task of a model) or a project file path. Each keeps one key
// text per item and tells its owner of a selection with its own notify
// code (item index as payload): posted when the operator picks an item,
// sent (handled before the call returns) when the program selects one.
// The control is a read-only owner-drawn combo box: its drop-down list
// draws only the items in view, so thousands of testees fill at once
// (the toolkit's own choice control grows in quadratic time).
#pragma once

#include <wx/odcombo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/ItemKeyList.h"

namespace qel {

class CExpModel;
class CProjectData;
class IComboSink;

class CComboBoxQel : public wxOwnerDrawnComboBox {
 public:
  // Selection codes of the kinds.
  static constexpr int32_t kBaseCode = 400;
  static constexpr int32_t kTesteesCode = 401;
  static constexpr int32_t kModelsCode = 403;
  static constexpr int32_t kTasksCode = 404;
  static constexpr int32_t kFilePathCode = 410;

  CComboBoxQel() { ResetItems(); }
  CComboBoxQel(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize);
  ~CComboBoxQel() override = default;
  bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize);

  // Data source none, keys emptied, count 0, current key "".
  virtual void ResetItems();
  // Called when the operator or the program selected an item (after the current key is set).
  virtual void OnSelected() {}

  int FindKey(const char* text) const { return m_keyList.m_keys.Find(text); }
  // Selects item i and sends the event; any other i clears the selection (true, no event).
  bool SelectIndex(int i);
  // A null key clears the selection (true); false when the key is absent.
  bool SelectKey(const char* key);
  bool InsertItem(int index, const char* text, bool select);
  bool DeleteIndex(int i, bool clear);
  bool DeleteKey(const char* key, bool clear);
  // Keeps the most recently used text on top, selected, once.
  bool AddToTop(const char* text, bool ignoreCase);
  std::string GetKey(int i) const { return m_keyList.GetKey(i); }
  const std::string& GetCurrentKey() const { return m_keyList.m_strCurrentKey; }

  CItemKeyList m_keyList;
  int32_t m_nEventCode = kBaseCode;

 protected:
  // The text of the selected item, "" for none.
  std::string SelectedText() const;
  // A fill: the project cache gives the items (emptying the control
  // first) and their keys; then the kept text's item (item 0 when none) is
  // selected without event. The item count, -1 when the source failed.
  template <class FillFn>
  int FillFrom(const void* source, const char* keep, FillFn fill);

 private:
  void OnSelChange(wxCommandEvent& event);
};

// The recently used project paths (the main view's path combo).
class CComboBoxFilePath : public CComboBoxQel {
 public:
  CComboBoxFilePath() { m_nEventCode = kFilePathCode; }
};

class CComboBoxTestees : public CComboBoxQel {
 public:
  CComboBoxTestees() { m_nEventCode = kTesteesCode; }
  // The cached testees (project null: none); keeps textToSelect, or the
  // selected testee, selected when it is still there.
  int Fill(const CProjectData* project, const char* textToSelect = nullptr);
};

class CComboBoxModels : public CComboBoxQel {
 public:
  CComboBoxModels() { m_nEventCode = kModelsCode; }
  int Fill(const CProjectData* project);
};

// The tasks of one cached model; the experiment model (may be null) has
// its current task follow the selection.
class CComboBoxTasks : public CComboBoxQel {
 public:
  CComboBoxTasks() { m_nEventCode = kTasksCode; }
  int Fill(const CProjectData* project, const char* model, CExpModel* expModel);
  void ResetItems() override;
  void OnSelected() override;
  const std::vector<std::string>& GetTaskNames() const { return m_names; }

 private:
  CExpModel* m_pModel = nullptr;
  std::vector<std::string> m_names;
};

}  // namespace qel
