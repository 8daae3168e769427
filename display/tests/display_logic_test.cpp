// Texts, placement rules and the hand-over to the user-interface thread.
#include <gtest/gtest.h>

#include <thread>

#include "display/DisplayGeometry.h"
#include "display/DisplayResult.h"
#include "display/DisplayTable.h"
#include "display/DisplayText.h"
#include "display/UiHandoff.h"

namespace qel {

namespace display {
namespace {

TEST(DisplayText, GuidAndMemoryTexts) {
  const uint8_t zero[16] = {};
  EXPECT_EQ(FormatGuid(zero), "00000000-0000-0000-0000-000000000000");
  const uint8_t g[16] = {0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE, 1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(FormatGuid(g), "12345678-9ABC-DEF0-0102-030405060708");
  const uint32_t bytes = 3u * 1048576 + 5 * 1024 + 7;
  EXPECT_EQ(FormatMem(bytes), "3Mb.5Kb");
  EXPECT_EQ(FormatMemGrouped(bytes), "3,005,007");
  EXPECT_EQ(FormatMemGrouped(1500), "001,476");
  EXPECT_EQ(FormatMemGrouped(12), "012");
  EXPECT_EQ(FormatMemGrouped(0), "000");
}

TEST(DisplayText, RectanglesAttributesAndCapabilities) {
  EXPECT_EQ(FormatRect(QelRect{10, 20, 110, 70}), "(10,20,110,70) 100x50");
  EXPECT_EQ(AttributeWords(0x10B), "Primary, Windowed, Flip, BrkEnabled");
  EXPECT_EQ(AttributeWords(0), "");
  EXPECT_EQ(SurfaceCapsWords(0x00000200 | 0x00008000 | 0x00000020 | 0x00000800, false),
            "Primary, Visible, Frontbuffer, SysMem");
  EXPECT_EQ(SurfaceCapsWords(0x00004000 | 0x10000000, true), "Lost, VidMemLocal");
  EXPECT_EQ(SurfaceCapsWords(0x20000000, false), "NonlocalVidMem");
  EXPECT_EQ(HardwareCapsWords(0x04000040), "Blt, BltColorFill");
  EXPECT_EQ(FurtherCapsWords(0x00080600), "RenderInWindowedMode, VidMemNonlocalCaps");
  EXPECT_EQ(ErrorReport(nullptr, "Cannot allocate memory"), "Error!\nCannot allocate memory");
  EXPECT_EQ(ErrorReport("CreateFullScreen CreateSurface", "x"), "CreateFullScreen CreateSurface\nx");
  EXPECT_EQ(ResultName(0), "Success");
  EXPECT_FALSE(ResultName(12).empty());
}

TEST(DisplayGeometry, TaskDialogPlacement) {
  const QelRect screen{0, 0, 1024, 768};
  EXPECT_EQ(TaskDialogOrigin(screen, {0, 0}, 300, 200).x, 412);
  EXPECT_EQ(TaskDialogOrigin(screen, {0, 0}, 300, 200).y, 426);
  EXPECT_EQ(TaskDialogOrigin(screen, {1024, 0}, 300, 200).x, 1436);  // a second monitor
  EXPECT_EQ(TaskDialogOrigin(screen, {0, 0}, 100, 200).x, 479);      // -200 / 3 truncates to -66
  const QelPoint cursor = TaskDialogCursor({412, 426}, 300, 200);
  EXPECT_EQ(cursor.x, 637);
  EXPECT_EQ(cursor.y, 526);
}

TEST(DisplayGeometry, PicturesCentredAndStretched) {
  EXPECT_EQ(CentredOrigin(800, 600, 400, 300).x, 200);
  EXPECT_EQ(CentredOrigin(800, 600, 1000, 300).x, 0);  // cut at the right
  EXPECT_EQ(CentredOrigin(800, 600, 400, 900).y, 0);
  QelRect r = StretchDestination(800, 600, 400, kScaleOne);  // narrower: keeps its width
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 150);
  EXPECT_EQ(r.Width(), 400);
  EXPECT_EQ(r.Height(), 300);                         // the surface's aspect ratio
  r = StretchDestination(800, 600, 1600, kScaleOne);  // wider: shrunk to the surface
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.Width(), 800);
  EXPECT_EQ(r.Height(), 600);
  r = StretchDestination(800, 600, 800, 5000);
  EXPECT_EQ(r.Width(), 400);
  EXPECT_EQ(ScaleForRect(1000, QelRect{0, 0, 500, 100}), 20000);
  EXPECT_EQ(ScaleForRect(1000, QelRect{500, 100, 0, 0}), 20000);
  EXPECT_EQ(ScaleForRect(1000, QelRect{}), kScaleOne);
  EXPECT_EQ(ScaleForRect(1000, QelRect{5, 5, 5, 9}), kScaleOne);
}

TEST(DisplayTable, KeepsTheFirstFourMonitorsAndFillsMissingModes) {
  std::vector<MonitorInfo> monitors;
  for (int i = 0; i < 5; ++i) {
    MonitorInfo m;
    m.geometry = QelRect{i * 800, 0, i * 800 + 800, 600};
    m.workArea = m.geometry;
    m.primary = i == 1;
    m.name = i == 2 ? "HDMI-1" : "";
    if (i == 3) {
      m.modeWidth = 1280;
      m.modeHeight = 1024;
      m.modeDepth = 16;
    }
    monitors.push_back(m);
  }
  DisplayEntry table[kMaxDisplays];
  ASSERT_EQ(BuildDisplayTable(monitors, ":7", 24, table), 4);
  EXPECT_EQ(table[0].description, "Display 1 on :7");
  EXPECT_EQ(table[0].monitorName, "Monitor 1");
  EXPECT_EQ(table[2].monitorName, "HDMI-1");
  EXPECT_FALSE(table[0].primary);
  EXPECT_TRUE(table[1].primary);
  EXPECT_EQ(table[1].monitorRect.left, 800);
  EXPECT_EQ(table[0].width, 800);  // no mode reported: the geometry and the screen depth
  EXPECT_EQ(table[0].bitsPerPixel, 24);
  EXPECT_EQ(table[3].width, 1280);
  EXPECT_EQ(table[3].bitsPerPixel, 16);
  EXPECT_EQ(table[3].monitor, 4);
  const uint8_t zero[16] = {};
  EXPECT_EQ(FormatGuid(table[3].guid), FormatGuid(zero));
  EXPECT_EQ(BuildDisplayTable({}, "", 24, table), 0);
}

TEST(UiHandoff, WaiterGetsTheResultOfFinishedWork) {
  CUiTicketList list;
  TicketPtr t = list.Issue();
  std::thread ui([t] {
    ASSERT_TRUE(t->Start());
    t->Finish(42);
  });
  intptr_t result = 0;
  EXPECT_TRUE(t->Wait(std::chrono::seconds(30), &result));
  EXPECT_EQ(result, 42);
  ui.join();
}

TEST(UiHandoff, CancelledOrUnclaimedWorkNeverRuns) {
  CUiTicketList list;
  TicketPtr a = list.Issue();
  list.CancelAll();
  EXPECT_FALSE(a->Wait(std::chrono::seconds(30)));
  EXPECT_FALSE(a->Start());

  TicketPtr b = list.Issue();
  EXPECT_FALSE(b->Wait(std::chrono::milliseconds(20)));  // nobody picked it up
  EXPECT_FALSE(b->Start());
}

TEST(UiHandoff, StartedWorkIsWaitedForBeyondThePickupTime) {
  CUiTicketList list;
  TicketPtr t = list.Issue();
  ASSERT_TRUE(t->Start());
  std::thread ui([t] {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    t->Finish(7);
  });
  list.CancelAll();  // running work is not cancelled
  intptr_t result = 0;
  EXPECT_TRUE(t->Wait(std::chrono::milliseconds(1), &result));
  EXPECT_EQ(result, 7);
  ui.join();
}

}  // namespace
}  // namespace display

}  // namespace qel
