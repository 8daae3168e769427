// The testee's display: its full-screen window showing a task's instruction
// screen drawn through the plug-ins' drawing interface, and the question the
// break dialog asks before a run is stopped (the display's own message box).
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/frame.h>

#include <fstream>
#include <string>

#include "display/ui/DDDisplay.h"
#include "display/ui/DisplayMessage.h"
#include "display/ui/DlgDDBreak.h"
#include "display/ui/ScreenResources.h"
#include "display/ui/WndDD.h"
#include "include/qel/DrawContext.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

constexpr COLORREF kBackground = QelRGB(0, 0, 0);
constexpr COLORREF kText = QelRGB(255, 255, 255);
constexpr COLORREF kTarget = QelRGB(255, 220, 0);

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// An instruction screen as a task draws it: two lines of text and the
// target the testee will see.
void DrawInstruction(CDDDisplay& display) {
  int width = 0, height = 0;
  ASSERT_TRUE(display.SurfaceGetSize(kSurfaceBack, width, height));
  display.SurfaceClear(kSurfaceBack, kBackground);
  CDC* dc = display.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  dc->SetBkMode(kBkTransparent);
  dc->SetTextColor(kText);
  dc->SetFont("DejaVu Sans", -32, kFwNormal, false);
  dc->TextOut(width / 8, height / 4, "Press the button as soon as");
  dc->TextOut(width / 8, height / 4 + 44, "the yellow circle appears.");
  dc->SetPen(kTarget, 1);
  dc->SetBrush(kTarget);
  dc->Ellipse(width / 2 - 40, height * 2 / 3 - 40, width / 2 + 40, height * 2 / 3 + 40);
  EXPECT_TRUE(display.SurfaceReleaseDC(kSurfaceBack, dc));
}

TEST(DisplayWindows, TesteeScreenAndStopQuestion) {
  CDDDisplay display;
  ASSERT_TRUE(display.DisplayEnum());
  ASSERT_TRUE(display.CreateFullScreen(0, 0));
  display.SetInstResource(QelScreenResources());
  DrawInstruction(display);
  ASSERT_TRUE(display.Present(true));
  Pump(200);
  ExpectDrawn(Snap(display.GetWndDD()->GetFrame(), "display_screen"), "testee's screen");

  // The operator presses Stop in the break dialog: the display asks first.
  display::MessageHandler previous = display::SetMessageHandler(nullptr);
  display.m_strBreakText = "Rest a moment.\nThen press Continue.";
  display.m_strStopCaption = "Qel";
  display.m_strStopQuestion = ReadText(QEL_SOURCE_DIR "/engine/rundlg/tests/resources/stop_question.txt");
  display.m_bNoStopConfirm = false;
  ASSERT_EQ(display.SendMessageA(kDispCmdOpenBreak, 0), 1);
  wxDialog* pause = display.GetWndDD()->GetBreakDialog().GetWindow();
  ASSERT_NE(pause, nullptr);
  Pump(100);
  ExpectDrawn(SnapModal("Qel", "display_stop_question",
                        [pause] {
                          wxCommandEvent stop(wxEVT_BUTTON, wxID_OK);
                          stop.SetEventObject(pause->FindWindow(wxID_OK));
                          pause->GetEventHandler()->ProcessEvent(stop);
                        }),
              "stop question");
  display::SetMessageHandler(previous);
  display.SendMessageA(kDispCmdContinue, 0);
  Pump(30);
  display.Free();
  Pump(30);
}

}  // namespace

}  // namespace qel
