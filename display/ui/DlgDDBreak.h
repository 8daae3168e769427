// The break dialog: "Continue" or "Stop" a run, with the break text shown
// on demand ("Help"). Its answer is the break state word that the run
// engine polls without a lock. The object lives as long as the display
// window; the dialog window itself is made anew at every opening.
#pragma once

#include <atomic>
#include <string>

#include "display/ui/ScreenExport.h"

class wxDialog;
class wxHtmlWindow;
class wxCommandEvent;
class wxCloseEvent;
class wxWindowDestroyEvent;

namespace qel {

class CWndDD;

class QEL_SCREEN_API CDlgDDBreak {
 public:
  // Control ids of the dialog (Continue and Stop are the dialog's cancel and OK buttons).
  static constexpr int kIdText = 1209;
  static constexpr int kIdHelp = 9;
  static constexpr int kIdShow = 10;

  CDlgDDBreak();
  ~CDlgDDBreak();
  CDlgDDBreak(const CDlgDDBreak&) = delete;
  CDlgDDBreak& operator=(const CDlgDDBreak&) = delete;

  // Makes and shows the dialog over `owner`; false when it cannot be made.
  bool Create(CWndDD* owner);
  bool IsOpen() const { return m_pDlg != nullptr; }
  wxDialog* GetWindow() const { return m_pDlg; }

  void Continue();       // "Continue": closes it; state 2
  void Stop();           // "Stop": asks unless told not to; state 3
  void DestroyWindow();  // closes it (only while it has an owner); state 0
  void ToggleText();     // "Help": shows or hides the break text
  void Layout();         // height by the expanded flag; redraws the display under it

  int GetState() const { return m_nState.load(std::memory_order_relaxed); }
  void SetState(int state) { m_nState.store(state, std::memory_order_relaxed); }
  const char* GetTitle() const { return m_pszTitle; }
  void SetTitle(const char* title) { m_pszTitle = title; }
  void SetText(const std::string& text) { m_strText = text; }
  bool IsExpanded() const { return m_bExpanded; }
  int GetCollapsedHeight() const { return m_nHeightCollapsed; }
  int GetExpandedHeight() const { return m_nHeightExpanded; }

 private:
  void Init();
  void OnButton(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnDestroy(wxWindowDestroyEvent& event);

  wxHtmlWindow* m_richEdit = nullptr;
  std::string m_strText;
  CWndDD* m_pOwner = nullptr;
  const char* m_pszTitle = "Break!";
  std::atomic<int> m_nState{0};
  int m_nHeightCollapsed = 50;
  int m_nHeightExpanded = 50;
  bool m_bExpanded = false;
  wxDialog* m_pDlg = nullptr;
};

}  // namespace qel
