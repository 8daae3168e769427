// The "System Config" sheet: the response device, the sound output, the
// display, the force-feedback device, the language and external sync, each
// on its page with its live device test. The sheet edits a copy of the eight
// values; the caller makes them the program's settings after OK
// (RunSystemConfig does both).
#pragma once

#include <wx/panel.h>
#include <wx/propdlg.h>

#include "admin/SysCfgRules.h"

class wxBookCtrlEvent;

namespace qel {

class CMySysCfg;

// A page of the sheet. A page whose device test runs locks the sheet's tabs
// (and its OK and Cancel) until the test stops; every page stops its test
// when the sheet closes.
class CSysCfgPage : public wxPanel {
 public:
  CSysCfgPage(CMySysCfg* sheet, wxWindow* parent);
  // Ends a running test (the sheet is closing).
  virtual void StopTests() {}

 protected:
  void LockSheet(bool locked);
  CSysCfgValues& Values();

 private:
  CMySysCfg* m_pSheet;
};

class CMySysCfgBtn;
class CMySysCfgSnd;
class CMySysCfgScr;
class CMySysCfgFbk;
class CMySysCfgOpt;

class CMySysCfg : public wxPropertySheetDialog {
 public:
  // The pages in their order on the sheet.
  enum Page : int { kPageButton = 0, kPageSound, kPageDisplay, kPageFeedback, kPageOptions, kPageCount };

  CMySysCfg(const wxString& caption, wxWindow* parent, const CSysCfgValues& values, int selectPage = kPageButton);
  ~CMySysCfg() override;

  const CSysCfgValues& GetValues() const { return m_values; }
  CSysCfgValues& EditValues() { return m_values; }
  bool IsLocked() const { return m_locked; }
  void Lock(bool locked);

  CMySysCfgBtn* ButtonPage() { return m_pButton; }
  CMySysCfgSnd* SoundPage() { return m_pSound; }
  CMySysCfgScr* DisplayPage() { return m_pDisplay; }
  CMySysCfgFbk* FeedbackPage() { return m_pFeedback; }
  CMySysCfgOpt* OptionsPage() { return m_pOptions; }

 private:
  void StopAllTests();
  void OnPageChanging(wxBookCtrlEvent& event);
  void RestoreLockedPage();
  void OnButton(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);

  CSysCfgValues m_values;
  bool m_locked = false;
  int m_lockedPage = 0;  // the page whose test locked the sheet
  CMySysCfgBtn* m_pButton = nullptr;
  CMySysCfgSnd* m_pSound = nullptr;
  CMySysCfgScr* m_pDisplay = nullptr;
  CMySysCfgFbk* m_pFeedback = nullptr;
  CMySysCfgOpt* m_pOptions = nullptr;
};

// The document's configuration command: the sheet on the program's settings,
// run modally; on OK the eight values become the program's settings. True on OK.
bool RunSystemConfig(wxWindow* parent);

}  // namespace qel
