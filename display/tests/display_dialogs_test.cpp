// The properties and the settings dialogs.
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "display/tests/DisplayFixture.h"
#include "display/ui/DlgDDWndProp.h"
#include "display/ui/DlgDDWndSet.h"

namespace qel {

namespace display::test {
namespace {

class PropertiesTest : public DisplayTest {
 protected:
  CDlgDDWndProp* Open(wxPoint at) {
    CWndDD* wnd = m_display.GetWndDD();
    wnd->m_ptContext = at;
    wxCommandEvent choose(wxEVT_MENU, CWndDD::kIdProperties);
    wnd->GetWindow()->GetEventHandler()->ProcessEvent(choose);
    return wnd->GetPropertiesDialog();
  }
  static wxString Text(wxWindow* dlg, int id) {
    wxWindow* w = dlg->FindWindow(id);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(w)) return edit->GetValue();
    return w ? w->GetLabel() : wxString("<missing>");
  }
};

TEST_F(PropertiesTest, WindowedDisplayShowsItsRowsAndAreas) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 320, 200));
  EXPECT_EQ(Open(wxPoint(30, 40)), nullptr);  // no dialog module: no dialog
  m_display.SetInstResource(QelScreenResources());
  CDlgDDWndProp* dlg = Open(wxPoint(30, 40));
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->IsShown());
  EXPECT_EQ(dlg->GetPosition(), wxPoint(30, 40));
  EXPECT_EQ(dlg->GetTitle(), "Primary, Windowed");
  EXPECT_EQ(dlg->GetMonitorGroup()->GetLabel(), "Monitor: 0 (primary)");
  EXPECT_EQ(dlg->GetWindowGroup()->GetLabel(), "Window");
  EXPECT_EQ(Text(dlg, CDlgDDWndProp::kIdGuid), "00000000-0000-0000-0000-000000000000");
  EXPECT_EQ(Text(dlg, CDlgDDWndProp::kIdMonitorRect), "(0,0,1024,768) 1024x768");
  EXPECT_EQ(Text(dlg, CDlgDDWndProp::kIdWindowClient), "(0,0,320,200) 320x200");
  EXPECT_EQ(Text(dlg, CDlgDDWndProp::kIdDisplayClient), "(0,0,320,200) 320x200");
  EXPECT_EQ(Text(dlg, CDlgDDWndProp::kIdMemLocal), "000/000");
  EXPECT_EQ(Text(dlg, CDlgDDWndProp::kIdCaps), "MaxVP=0, MemTotal=0Mb.0Kb, MemFree=0Mb.0Kb, ");
  EXPECT_EQ(Text(dlg, CDlgDDWndProp::kIdLastError), "Success");

  auto* list = dynamic_cast<wxListCtrl*>(dlg->FindWindow(CDlgDDWndProp::kIdSurfaces));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetItemCount(), 2);
  EXPECT_EQ(list->GetItemText(0, 0), "F");
  EXPECT_EQ(list->GetItemText(0, 1), "320x200");
  EXPECT_EQ(list->GetItemText(0, 2), "32");
  EXPECT_EQ(list->GetItemText(0, 3), "Primary, Visible, Frontbuffer, SysMem");
  EXPECT_EQ(list->GetItemText(1, 0), "B");
  EXPECT_EQ(list->GetItemText(1, 3), "OffScreen, SysMem, 3DDevice");
  EXPECT_EQ(list->GetColumnCount(), 4);

  // Choosing "Properties" again while open keeps the one dialog.
  EXPECT_EQ(Open(wxPoint(90, 90)), dlg);

  // "Close", then a new one at the new point, with a new surface row.
  wxCommandEvent close(wxEVT_BUTTON, wxID_CANCEL);
  dlg->GetEventHandler()->ProcessEvent(close);
  EXPECT_EQ(m_display.GetWndDD()->GetPropertiesDialog(), nullptr);
  Pump(30);
  ASSERT_TRUE(m_display.SurfaceCreate(4, 0, 8, 8));
  CDlgDDWndProp* again = Open(wxPoint(120, 60));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetPosition(), wxPoint(120, 60));
  list = dynamic_cast<wxListCtrl*>(again->FindWindow(CDlgDDWndProp::kIdSurfaces));
  ASSERT_EQ(list->GetItemCount(), 3);
  EXPECT_EQ(list->GetItemText(2, 0), "4");
  EXPECT_EQ(list->GetItemText(2, 1), "8x8");
}

TEST_F(PropertiesTest, FullScreenTitleAndFreeClosesTheDialog) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, kDispAttrFlip));
  m_display.SetInstResource(QelScreenResources());
  CDlgDDWndProp* dlg = Open(wxPoint(10, 10));
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->GetTitle(), "Primary, Flip, BrkEnabled");
  EXPECT_EQ(dlg->GetWindowGroup()->GetLabel(), "Window (fullscreen)");
  auto* list = dynamic_cast<wxListCtrl*>(dlg->FindWindow(CDlgDDWndProp::kIdSurfaces));
  EXPECT_EQ(list->GetItemText(0, 3), "Primary, Visible, Frontbuffer, Flip, SysMem, 3DDevice");
  EXPECT_EQ(list->GetItemText(1, 3), "Backbuffer, Flip, SysMem, 3DDevice");
  m_display.Free();
  EXPECT_EQ(m_display.GetWndDD()->GetPropertiesDialog(), nullptr);
  Pump(30);
}

TEST_F(PropertiesTest, NoContextMenuWhileATaskRunsOnTheDisplay) {
  // A run takes the display as the run engine does: Space opens no break,
  // and the testee's right mouse button (a response button) opens no menu.
  ASSERT_TRUE(m_display.CreateFullScreen(0, kDispAttrFlip));
  m_display.SetInstResource(QelScreenResources());
  m_display.SetSpaceBreaks(false);
  CWndDD* wnd = m_display.GetWndDD();
  const wxPoint before(1, 2);
  wnd->m_ptContext = before;
  wxContextMenuEvent click(wxEVT_CONTEXT_MENU, wnd->GetWindow()->GetId(), wxPoint(50, 60));
  click.SetEventObject(wnd->GetWindow());
  wnd->GetWindow()->GetEventHandler()->ProcessEvent(click);
  EXPECT_EQ(wnd->m_ptContext, before) << "no menu was opened at the click";
  EXPECT_EQ(wnd->GetPropertiesDialog(), nullptr);
  m_display.Free();
  Pump(30);
}

TEST(SettingsDialog, OkWaitsForAClickAndTheChosenSettingsComeBack) {
  CDlgDDWndSet dlg(nullptr);
  dlg.m_bNegate = 1;
  EXPECT_EQ(dlg.GetTitle(), "Direct Draw settings");
  bool okDisabledAtFirst = false, okEnabledAfterClick = false, negateShown = false;
  dlg.CallAfter([&] {
    okDisabledAtFirst = !dlg.FindWindow(wxID_OK)->IsEnabled();
    negateShown = dynamic_cast<wxCheckBox*>(dlg.FindWindow(CDlgDDWndSet::kIdNegate))->GetValue();
    for (const int id : {CDlgDDWndSet::kIdFlip, CDlgDDWndSet::kIdFullScreen}) {
      auto* box = dynamic_cast<wxCheckBox*>(dlg.FindWindow(id));
      box->SetValue(true);
      wxCommandEvent click(wxEVT_CHECKBOX, id);
      click.SetEventObject(box);
      click.SetInt(1);
      box->GetEventHandler()->ProcessEvent(click);
    }
    okEnabledAfterClick = dlg.FindWindow(wxID_OK)->IsEnabled();
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    ok.SetEventObject(dlg.FindWindow(wxID_OK));
    dlg.GetEventHandler()->ProcessEvent(ok);
  });
  EXPECT_EQ(dlg.ShowModal(), wxID_OK);
  EXPECT_TRUE(okDisabledAtFirst);
  EXPECT_TRUE(negateShown);
  EXPECT_TRUE(okEnabledAfterClick);
  EXPECT_EQ(dlg.m_bFlip, 1);
  EXPECT_EQ(dlg.m_bFullScreen, 1);
  EXPECT_EQ(dlg.m_bNegate, 1);
  EXPECT_EQ(dlg.m_bSysMem, 0);
  EXPECT_EQ(dlg.m_bStretch, 0);
  dlg.EnableDlgItem(12345, true);  // a missing control is ignored
}

}  // namespace
}  // namespace display::test

}  // namespace qel
