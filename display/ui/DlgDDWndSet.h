// The display settings dialog: five check boxes for the display's test
// options. Modal; the caller reads the states after it closes with OK,
// which stays disabled until a box is clicked.
#pragma once

#include <wx/dialog.h>

#include "display/ui/ScreenExport.h"

namespace qel {

class QEL_SCREEN_API CDlgDDWndSet : public wxDialog {
 public:
  enum : int {
    kIdFlip = 3001,
    kIdStretch = 3002,
    kIdNegate = 3003,
    kIdSysMem = 3004,
    kIdFullScreen = 3005,
  };

  explicit CDlgDDWndSet(wxWindow* parent);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

  // Enables or disables OK.
  void SetView(bool enable);
  // Enables or disables a control when it exists.
  void EnableDlgItem(int id, bool enable);

  // The five states (0 or 1).
  int m_bFlip = 0;
  int m_bSysMem = 0;
  int m_bStretch = 0;
  int m_bNegate = 0;
  int m_bFullScreen = 0;

 private:
  void OnInitDialog(wxInitDialogEvent& event);
  void OnCheck(wxCommandEvent& event);
};

}  // namespace qel
