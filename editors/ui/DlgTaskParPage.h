// The base of every page of the task-parameter dialog: a panel inside the
// dialog's notebook that shows and edits one model task. It keeps the task,
// the two owner dialogs (the task dialog and the model editor, either may be
// missing), the plug-in record and whether the operator may change values.
// Every edit writes the task at once, marks it modified and refreshes the
// page, whose base refresh lets the owners' OK buttons follow.
#pragma once

#include <wx/panel.h>

#include <cstdint>
#include <string>

namespace qel {

class CExpModelTask;
class CQelNotifyEvent;
class ITaskLibrary;
struct EditorServices;

// A dialog that holds the pages: its buttons follow the task, and a page
// may hold its run buttons during a device test.
class ITaskParOwner {
 public:
  virtual void UpdateControls() = 0;
  virtual uint8_t GetCanEdit() const = 0;
  virtual void SetCanEdit(uint8_t canEdit) = 0;

 protected:
  ~ITaskParOwner() = default;
};

class CDlgTaskParPage : public wxPanel {
 public:
  // The notification that asks a page to refill itself from its task.
  static constexpr int kNotifyUpdatePage = 50;

  CDlgTaskParPage(wxWindow* parent, const EditorServices& services);

  // The task and owners; the editable flag and the plug-in follow the task.
  void SetTask(CExpModelTask* task, ITaskParOwner* taskDialog, ITaskParOwner* modelDialog);
  CExpModelTask* GetTask() const { return m_task; }
  bool IsEditable() const { return m_editable != 0; }

  // What depends on the run state (the Trials page's preview).
  virtual void UpdateControls() {}
  // Refills the page from its task; the base refreshes the owners' buttons.
  virtual void UpdatePage();
  // The page is no longer shown (another tab, or the dialog ends).
  virtual void OnPageHidden() {}
  // The page is shown again (its tab was chosen).
  virtual void OnPageShown() {}

  // Marks the task modified (only while it is loaded).
  void SetModified(bool flag);
  void SaveOwnerEnable();
  void SetOwnerEnable(bool enable);
  void RestoreOwnerEnable();

 protected:
  // The page's notifications: the update request refills the page with a
  // beep (answer 0); a page with notifications of its own takes this over.
  virtual void OnPageNotify(CQelNotifyEvent& event);
  // Every edit: the task modified, then the page refreshed.
  void Edited();
  std::string LoadText(uint32_t id) const;
  // Shows or hides and enables a control of the page by id.
  void ShowControl(int id, bool shown);
  void EnableControl(int id, bool enabled);
  void SetText(int id, const std::string& text);

  const EditorServices& m_services;
  CExpModelTask* m_task = nullptr;
  uint8_t m_savedTaskDialogCanEdit = 0;
  uint8_t m_savedModelDialogCanEdit = 0;
  ITaskParOwner* m_taskDialog = nullptr;
  ITaskParOwner* m_modelDialog = nullptr;
  ITaskLibrary* m_library = nullptr;
  uint8_t m_editable = 0;
};

// Language of the program's texts (the Language setting).
int EditorLanguage();

}  // namespace qel
