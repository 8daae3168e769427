// The base of a plug-in's parameter dialogs. The object holds only data
// (the bound model task, the editing flag, child pages) and lives as long
// as the plug-in; its window is a wx panel created inside a window of the
// host and owned by it. The object learns when that window is destroyed
// (wxEVT_DESTROY) and never touches it afterwards.
//
// Windows of plug-in pages are plain wx classes with handlers bound at run
// time: no wx class information is registered from a plug-in module.
#pragma once

#include <wx/window.h>

#include <cstdint>

#include <wx/window.h>

#include "include/qel/ExpModelTaskInterface.h"

class wxWindowDestroyEvent;

namespace qel {

class CTaskDialog {
 public:
  static constexpr int kDefaultTemplate = 160;
  // The user-update notification and its refresh code.
  static constexpr int kUserUpdateMessage = 0x401;
  static constexpr intptr_t kUpdateRefresh = 50;

  CTaskDialog(int templateId, wxWindow* parent);
  CTaskDialog(const CTaskDialog&) = delete;
  CTaskDialog& operator=(const CTaskDialog&) = delete;
  virtual ~CTaskDialog();

  // Creates the dialog's window from the default template inside parent;
  // false without a parent, when a window is still alive or when the
  // controls cannot be built.
  bool Create(wxWindow* parent);

  // The live window, or null.
  wxWindow* GetWindow() const { return m_window; }
  // The control of the live window with that id as a T; null without a
  // window, without such a control or when it is no T.
  template <typename T>
  T* FindControl(int id) const {
    return m_window ? dynamic_cast<T*>(m_window->FindWindow(id)) : nullptr;
  }
  int GetTemplateId() const { return m_templateId; }
  IExpModelTask* GetModelTask() const { return m_modelTask; }
  bool IsEditable() const { return m_editable != 0; }

  // Asks both child pages (when present) to refresh.
  void RefreshChildren();
  // Marks the bound model task modified (only while it is loaded).
  void SetModelModified(bool flag);
  // The user-update notification: kUpdateRefresh refreshes the controls and
  // beeps; returns 0.
  virtual intptr_t OnUserUpdate(intptr_t code);
  // Sends the refresh notification to this dialog.
  void PostUpdate();
  void EnableDialog();
  void DisableDialog();

 protected:
  // Builds the window's controls for the template; false when they cannot
  // be built (the window is then destroyed again).
  virtual bool BuildControls(wxWindow* panel, int templateId);
  // Initialisation after the controls are built: tool tips on, refresh.
  virtual bool OnInitDialog();
  // Reads the model task's words into the controls; the base refreshes the
  // child pages.
  virtual void RefreshControls();
  // Called when the window has been destroyed by its owner.
  virtual void OnWindowDestroyed() {}

  // Creates the panel inside parent from a template.
  bool CreateWindow(wxWindow* parent, int templateId);

  wxWindow* m_parent;
  IExpModelTask* m_modelTask = nullptr;
  uint8_t m_flag = 0;
  uint8_t m_editable = 0;  // the controls are enabled for editing
  CTaskDialog* m_child1 = nullptr;
  CTaskDialog* m_child2 = nullptr;
  uint32_t m_words[2] = {0, 0};
  int m_templateId;

 private:
  void OnDestroy(wxWindowDestroyEvent& event);

  wxWindow* m_window = nullptr;
};

}  // namespace qel
