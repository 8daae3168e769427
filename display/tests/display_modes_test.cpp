// Enumeration, the three modes and Free.
#include <wx/frame.h>
#include <wx/panel.h>

#include <atomic>
#include <thread>

#include "display/tests/DisplayFixture.h"

namespace qel {

namespace display::test {
namespace {

TEST_F(DisplayTest, EnumerationFindsTheScreenWithItsSizeAndDepth) {
  EXPECT_EQ(m_display.GetDisplayNum(), 1);
  EXPECT_EQ(m_display.GetDisplaySelected(), -1);
  EXPECT_EQ(m_display.GetPrimary(), 0);
  EXPECT_TRUE(m_display.IsPrimary(0));
  EXPECT_EQ(m_display.GetResolutionX(0), 1024);
  EXPECT_EQ(m_display.GetResolutionY(0), 768);
  EXPECT_EQ(m_display.GetBisPerPixel(0), 24);
  EXPECT_FALSE(m_display.GetDisplayName(0).empty());
  EXPECT_FALSE(m_display.GetMonitorName(0).empty());
  EXPECT_NE(m_display.GetDisplayMonitor(0), 0);
  EXPECT_EQ(m_display.StringDisplayGUID(0), "00000000-0000-0000-0000-000000000000");
  EXPECT_EQ(m_display.GetVidMemTotal(0), 0u);  // not exposed
  // Nothing selected yet: the current display's figures are empty.
  EXPECT_EQ(m_display.GetResolutionX(), 0);
  // A second enumeration counts from 0 again.
  ASSERT_TRUE(m_display.DisplayEnum());
  EXPECT_EQ(m_display.GetDisplayNum(), 1);
}

class BadDisplayIndex : public DisplayTest, public ::testing::WithParamInterface<int> {};

TEST_P(BadDisplayIndex, GettersAreEmptyAndModesFailSilently) {
  const int i = GetParam();
  EXPECT_EQ(m_display.GetResolutionX(i), 0);
  EXPECT_EQ(m_display.GetResolutionY(i), 0);
  EXPECT_EQ(m_display.GetBisPerPixel(i), 0);
  EXPECT_EQ(m_display.GetVidMemFree(i), 0u);
  EXPECT_FALSE(m_display.IsPrimary(i));
  EXPECT_EQ(m_display.GetDisplayName(i), "");
  EXPECT_EQ(m_display.GetMonitorName(i), "");
  EXPECT_EQ(m_display.GetDisplayMonitor(i), 0);
  EXPECT_EQ(m_display.StringDisplayGUID(i), "");
  EXPECT_EQ(m_display.GetDisplayEntry(i), nullptr);

  wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "caller");
  wxPanel* panel = new wxPanel(frame);
  EXPECT_FALSE(m_display.CreateFullScreen(i, 0));
  EXPECT_FALSE(m_display.CreateWindowed(i, 640, 480));
  EXPECT_FALSE(m_display.CreateWindowed(i, 0, 0));
  EXPECT_FALSE(m_display.AttachWindowed(i, panel));
  EXPECT_EQ(panel->GetEventHandler(), panel);  // the caller's window is untouched
  EXPECT_TRUE(m_messages.Messages().empty());
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);
  EXPECT_EQ(m_display.GetDisplaySelected(), -1);
  frame->Destroy();
}

INSTANTIATE_TEST_SUITE_P(Indices, BadDisplayIndex, ::testing::Values(-1, 1, 4));

TEST_F(DisplayTest, FullScreenCoversTheMonitorInTheDesktopMode) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0x28 | 0x1));  // only 0x08 and 0x20 are taken
  EXPECT_EQ(m_display.GetAttr(), kDispAttrPrimary | kDispAttrFlip | kDispAttrCursor | kDispAttrBreaks);
  EXPECT_FALSE(m_display.IsWindowed());
  EXPECT_EQ(m_display.GetDisplaySelected(), 0);
  EXPECT_EQ(m_display.GetResolutionX(), 1024);
  wxWindow* window = m_display.GetWndDD()->GetWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return window->IsShownOnScreen(); }));
  EXPECT_EQ(window->GetScreenRect(), wxRect(0, 0, 1024, 768));
  int w = 0, h = 0;
  ASSERT_TRUE(m_display.SurfaceGetSize(kSurfaceBack, w, h));
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  ASSERT_TRUE(m_display.SurfaceGetSize(kSurfaceFront, w, h));
  QelRect r;
  ASSERT_TRUE(m_display.GetWndRectClient(r));
  EXPECT_EQ(r.right, 1024);
  EXPECT_EQ(r.bottom, 768);
  m_display.GetRect(r, 3);
  EXPECT_EQ(r.Width(), 1024);
  m_display.GetRect(r, 4);
  EXPECT_EQ(r.Height(), 768);
  m_display.GetRect(r, 0);
  EXPECT_EQ(r.right, 1024);
  m_display.GetRect(r, 7);
  EXPECT_TRUE(r.IsEmpty());
  EXPECT_EQ(m_display.GetScale(), 10000);
  EXPECT_EQ(m_display.BreakGetState(), kBreakRequested);
  EXPECT_EQ(m_display.GetFrontContent(), -1);
}

TEST_F(DisplayTest, CaptionedWindowHasTheAskedClientSize) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 640, 480));
  EXPECT_TRUE(m_display.IsWindowed());
  EXPECT_EQ(m_display.GetAttr() & kDispAttrBreaks, 0u);
  wxWindow* window = m_display.GetWndDD()->GetWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetClientSize(), wxSize(640, 480));
  EXPECT_TRUE(m_display.GetWndDD()->GetFrame()->HasFlag(wxCAPTION));
  int w = 0, h = 0;
  ASSERT_TRUE(m_display.SurfaceGetSize(kSurfaceBack, w, h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  ASSERT_TRUE(m_display.SurfaceCreate(0, 0, 0, 0));  // default size: the client area
  ASSERT_TRUE(m_display.SurfaceGetSize(0, w, h));
  EXPECT_EQ(w, 640);
}

TEST_F(DisplayTest, CaptionlessWindowTakesTheModeSize) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 0, 0));
  EXPECT_FALSE(m_display.GetWndDD()->GetFrame()->HasFlag(wxCAPTION));
  int w = 0, h = 0;
  ASSERT_TRUE(m_display.SurfaceGetSize(kSurfaceBack, w, h));
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
}

TEST_F(DisplayTest, AttachedWindowIsGivenBackUnchanged) {
  wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "caller", wxPoint(50, 50), wxSize(400, 300));
  wxPanel* panel = new wxPanel(frame, wxID_ANY, wxDefaultPosition, wxSize(320, 200));
  frame->Show();
  Pump(20);
  EXPECT_FALSE(m_display.AttachWindowed(0, nullptr));
  const wxSize client = panel->GetClientSize();
  ASSERT_TRUE(m_display.AttachWindowed(0, panel));
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), panel);
  EXPECT_NE(panel->GetEventHandler(), panel);
  int w = 0, h = 0;
  ASSERT_TRUE(m_display.SurfaceGetSize(kSurfaceBack, w, h));
  EXPECT_EQ(wxSize(w, h), client);
  // A preview: what is presented shows in the caller's window.
  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceBack, QelRGB(200, 10, 10)));
  ASSERT_TRUE(m_display.Present(true));
  const wxPoint at = panel->ClientToScreen(wxPoint(client.x / 2, client.y / 2));
  EXPECT_TRUE(PumpUntil([&] { return XScreenShot().At(at.x, at.y) == 0xC80A0Au; }, 3000));
  m_display.Free();
  EXPECT_EQ(panel->GetEventHandler(), panel);
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);
  EXPECT_TRUE(frame->IsShown());

  // A handler the caller pushed after attaching stays; ours goes.
  ASSERT_TRUE(m_display.AttachWindowed(0, panel));
  wxEvtHandler callers;
  panel->PushEventHandler(&callers);
  m_display.Free();
  EXPECT_EQ(panel->GetEventHandler(), &callers);
  EXPECT_EQ(callers.GetNextHandler(), panel);
  panel->PopEventHandler(false);

  // A window with no client area cannot be drawn into: reported, and given back as it was.
  wxPanel* empty = new wxPanel(frame, wxID_ANY, wxDefaultPosition, wxSize(0, 0));
  empty->SetSize(0, 0);
  EXPECT_FALSE(m_display.AttachWindowed(0, empty));
  ASSERT_EQ(m_messages.Messages().size(), 1u);
  EXPECT_EQ(m_messages.Messages()[0].text.rfind("AttachExternal CreateSurface Front\n", 0), 0u);
  EXPECT_EQ(empty->GetEventHandler(), empty);
  EXPECT_EQ(m_display.GetDisplaySelected(), -1);
  frame->Destroy();
  Pump(20);
}

TEST_F(DisplayTest, FreeReturnsToTheConstructedStateAndASecondModeWorks) {
  m_display.Free();  // nothing created: safe
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  ASSERT_TRUE(m_display.SurfaceCreate(3, 0, 16, 16));
  m_display.BreakSetState(kBreakContinue);
  m_display.Free();
  m_display.Free();
  EXPECT_EQ(m_display.GetDisplaySelected(), -1);
  EXPECT_EQ(m_display.GetAttr() & (kDispAttrPrimary | kDispAttrWindowed), 0u);
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);
  EXPECT_EQ(m_display.BreakGetState(), kBreakRequested);
  int w, h;
  EXPECT_FALSE(m_display.SurfaceGetSize(3, w, h));
  EXPECT_FALSE(m_display.SurfaceGetSize(kSurfaceBack, w, h));
  EXPECT_FALSE(m_display.Present(true));
  EXPECT_EQ(m_display.SurfaceGetDC(kSurfaceBack), nullptr);
  EXPECT_FALSE(m_display.SurfaceCreate(0, 0, 0, 0));
  EXPECT_EQ(m_display.GetDisplayNum(), 1);  // the display table is kept
  Pump(30);
  ASSERT_TRUE(m_display.CreateWindowed(0, 320, 240));
  EXPECT_TRUE(m_display.IsWindowed());
  ASSERT_TRUE(m_display.Present(true));
  // A mode over an active one replaces it.
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  EXPECT_FALSE(m_display.IsWindowed());
  EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(DisplayTest, EnumeratingAgainKeepsTheDisplayInUseSelected) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  ASSERT_TRUE(m_display.DisplayEnum());
  EXPECT_EQ(m_display.GetDisplaySelected(), 0);
  ASSERT_TRUE(m_display.SurfaceCreate(1, 0, 0, 0));  // default size: still the mode's
  int w = 0, h = 0;
  ASSERT_TRUE(m_display.SurfaceGetSize(1, w, h));
  EXPECT_EQ(w, 1024);
  EXPECT_TRUE(m_messages.Messages().empty());
  m_display.Free();
  ASSERT_TRUE(m_display.DisplayEnum());
  EXPECT_EQ(m_display.GetDisplaySelected(), -1);
}

TEST_F(DisplayTest, FreeFromAWorkerThreadClosesTheWindow) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  Pump(30);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    m_display.Free();
    done = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);
  EXPECT_EQ(m_display.GetDisplaySelected(), -1);
  EXPECT_FALSE(m_display.Present(true));
  Pump(30);
  int displays = 0;
  for (wxWindow* w : wxTopLevelWindows) displays += w->GetLabel() == "DDDisplay";
  EXPECT_EQ(displays, 0);
}

TEST_F(DisplayTest, DestructionFreesTheWindow) {
  wxWindow* window = nullptr;
  {
    CDDDisplay local;
    ASSERT_TRUE(local.DisplayEnum());
    ASSERT_TRUE(local.CreateFullScreen(0, 0));
    window = local.GetWndDD()->GetWindow();
    ASSERT_NE(window, nullptr);
  }
  Pump(30);
  int displays = 0;
  for (wxWindow* w : wxTopLevelWindows) displays += w->GetLabel() == "DDDisplay";
  EXPECT_EQ(displays, 0);
}

TEST_F(DisplayTest, FailedSurfaceCreationIsReportedAndFreesTheDisplay) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  EXPECT_FALSE(m_display.SurfaceCreate(0, 0, 100000, 10));
  ASSERT_EQ(m_messages.Messages().size(), 1u);
  const auto& m = m_messages.Messages()[0];
  EXPECT_EQ(m.caption, "Error!");
  EXPECT_EQ(m.text.rfind("SurfaceCreateBitmap CreateSurface\n", 0), 0u) << m.text;
  EXPECT_GT(m.text.size(), std::string("SurfaceCreateBitmap CreateSurface\n").size());
  EXPECT_TRUE(m.style & kMsgIconStop);
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);
  EXPECT_EQ(m_display.StringErrMessageLast(), m.text.substr(m.text.find('\n') + 1));
}

TEST_F(DisplayTest, AFailureOnAWorkerThreadIsShownByTheUserInterfaceThread) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 100, 100));
  std::atomic<bool> created{true};
  std::thread worker([&] { created = m_display.SurfaceCreate(1, 0, 20000, 20000); });
  ASSERT_TRUE(PumpUntil([&] { return !created; }));  // the worker does not wait for the box
  worker.join();
  EXPECT_TRUE(PumpUntil([&] { return m_messages.Messages().size() == 1; }));
  EXPECT_EQ(m_messages.Messages()[0].text.rfind("SurfaceCreateBitmap CreateSurface", 0), 0u);
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);
}

TEST_F(DisplayTest, MemoryAndCapabilityTextsWithoutAndWithAMode) {
  uint32_t total = 1, free = 1;
  EXPECT_FALSE(m_display.GetMemAvailable(total, free, true));
  EXPECT_EQ(total, 0u);
  std::string t, f;
  EXPECT_FALSE(m_display.StringMemAvailable(t, f, true));
  ASSERT_TRUE(m_display.CreateWindowed(0, 200, 100));
  EXPECT_TRUE(m_display.StringMemAvailable(t, f, false));
  EXPECT_EQ(t, "000");
  std::string hw, further;
  uint32_t mt = 1, mf = 1, vp = 1;
  EXPECT_TRUE(m_display.StringDDCapsHardware(hw, further, mt, mf, vp));
  EXPECT_EQ(hw, "");
  EXPECT_EQ(vp, 0u);
  EXPECT_EQ(CDDDisplay::StringMem(5u << 20), "5Mb.0Kb");
}

}  // namespace
}  // namespace display::test

}  // namespace qel
