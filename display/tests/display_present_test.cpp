// Surfaces, pictures and presentation: what is drawn reaches the X screen,
// from the user-interface thread and from a worker thread.
#include <X11/keysym.h>

#include <atomic>
#include <thread>

#include "display/tests/DisplayFixture.h"
#include "display/RasterSurface.h"

namespace qel {

namespace display::test {
namespace {

constexpr COLORREF kRed = QelRGB(255, 0, 0);
constexpr COLORREF kGreen = QelRGB(0, 200, 0);
constexpr COLORREF kBlue = QelRGB(0, 0, 255);

// Draws a recognisable frame into the back buffer: background, bands, an
// ellipse and text.
void DrawTestFrame(CDDDisplay& d, COLORREF background, int seed) {
  d.SurfaceClear(kSurfaceBack, background);
  CDC* dc = d.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(100 + seed, 100, 200, 50, kRed);
  dc->SetPen(kBlue, 1);
  dc->SetBrush(kGreen);
  dc->Ellipse(400, 300, 600, 420);
  dc->SetBkMode(kBkTransparent);
  dc->SetTextColor(QelRGB(255, 255, 0));
  dc->SetFont("DejaVu Sans", -30, kFwBold, false);
  dc->TextOut(50, 600, "Frame on screen");
  EXPECT_TRUE(d.SurfaceReleaseDC(kSurfaceBack, dc));
}

// True when the screen shows the front frame at a grid of points.
bool ScreenShowsFront(CDDDisplay& d, int* mismatches = nullptr) {
  SurfacePtr front = d.GetFrontFrame();
  if (!front) return false;
  XScreenShot shot;
  int bad = 0;
  for (int y = 3; y < front->Height(); y += 23) {
    for (int x = 5; x < front->Width(); x += 29) bad += shot.At(x, y) != front->PixelAt(x, y);
  }
  if (mismatches) *mismatches = bad;
  return bad == 0;
}

TEST_F(DisplayTest, FrameFromTheUserInterfaceThreadReachesTheScreen) {
  ASSERT_TRUE(display_.CreateFullScreen(0, kDispAttrFlip));  // synchronous presentation
  Pump(50);
  DrawTestFrame(display_, QelRGB(10, 20, 30), 0);
  ASSERT_TRUE(display_.Present(true));
  EXPECT_EQ(FrontPixel(150, 120), 0xFF0000u);
  EXPECT_EQ(FrontPixel(5, 5), 0x0A141Eu);
  // With the flip attribute the X server has the frame when Present returns.
  int bad = -1;
  EXPECT_TRUE(ScreenShowsFront(display_, &bad)) << bad << " points differ";
  XScreenShot shot;
  EXPECT_EQ(shot.At(150, 120), 0xFF0000u);
  EXPECT_EQ(shot.At(500, 360), 0x00C800u);

  // Without it the frame is handed to the server and shows up promptly.
  Pump(20);
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  Pump(50);
  DrawTestFrame(display_, QelRGB(60, 0, 60), 40);
  ASSERT_TRUE(display_.Present(true));
  EXPECT_TRUE(PumpUntil([&] { return ScreenShowsFront(display_); }, 3000));
}

TEST_F(DisplayTest, FrameFromAWorkerThreadReachesTheScreen) {
  ASSERT_TRUE(display_.CreateFullScreen(0, kDispAttrFlip));
  Pump(50);
  std::atomic<int> result{-1};
  std::atomic<bool> matched{false};
  std::thread worker([&] {
    DrawTestFrame(display_, QelRGB(0, 0, 80), 7);
    result = display_.Present(true) ? 1 : 0;
    // Present has returned: the frame is on the X server now.
    matched = ScreenShowsFront(display_);
  });
  ASSERT_TRUE(PumpUntil([&] { return result != -1; }, 10000));
  worker.join();
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(matched);
  EXPECT_EQ(FrontPixel(110, 120), 0xFF0000u);
}

TEST_F(DisplayTest, WorkerPresentNeverHangsWhenTheDisplayIsFreed) {
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  std::atomic<bool> stop{false};
  std::atomic<int> frames{0}, failures{0};
  std::thread worker([&] {
    while (!stop) {
      CDC* dc = display_.SurfaceGetDC(kSurfaceBack);
      if (dc) {
        dc->FillSolidRect(0, 0, 50, 50, frames % 2 ? kRed : kBlue);
        display_.SurfaceReleaseDC(kSurfaceBack, dc);
      }
      if (display_.Present(true)) {
        ++frames;
      } else {
        ++failures;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
  });
  ASSERT_TRUE(PumpUntil([&] { return frames > 5; }));
  display_.Free();  // races with the worker's presentation
  ASSERT_TRUE(PumpUntil([&] { return failures > 3; }));
  stop = true;
  worker.join();
  EXPECT_FALSE(display_.Present(true));
}

TEST_F(DisplayTest, WorkerPresentGivesUpWhenTheUserInterfaceThreadWaitsForIt) {
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  bool presented = true;
  std::thread worker([&] { presented = display_.Present(true); });
  worker.join();  // the user-interface thread is blocked here, as when a run joins its workers
  EXPECT_FALSE(presented);
  Pump(20);  // the abandoned work is dropped
}

TEST_F(DisplayTest, DrawingOnTheFrontReplacesTheFrameWhole) {
  ASSERT_TRUE(display_.CreateFullScreen(0, kDispAttrFlip));
  Pump(50);
  CDC* dc = display_.SurfaceGetDC(kSurfaceFront);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(10, 10, 100, 100, kRed);
  EXPECT_NE(FrontPixel(20, 20), 0xFF0000u);  // not shown while drawing
  ASSERT_TRUE(display_.SurfaceReleaseDC(kSurfaceFront, dc));
  EXPECT_EQ(FrontPixel(20, 20), 0xFF0000u);
  XScreenShot shot;
  EXPECT_EQ(shot.At(20, 20), 0xFF0000u);
  EXPECT_TRUE(display_.SurfaceClear(kSurfaceFront, kBlue));
  EXPECT_EQ(FrontPixel(20, 20), 0x0000FFu);
  EXPECT_TRUE(display_.SurfaceReleaseDC(kSurfaceBack, nullptr));
}

TEST_F(DisplayTest, AContextIsTakenBackOnceAndOutlivesTheDisplaySafely) {
  ASSERT_TRUE(display_.CreateWindowed(0, 50, 50));
  CDC* dc = display_.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  display_.Free();
  dc->FillSolidRect(0, 0, 50, 50, kRed);  // draws on a buffer no longer shown
  EXPECT_TRUE(display_.SurfaceReleaseDC(kSurfaceBack, dc));
  EXPECT_TRUE(messages_.Messages().empty());

  ASSERT_TRUE(display_.CreateWindowed(0, 50, 50));
  CDC* again = display_.SurfaceGetDC(kSurfaceBack);
  ASSERT_TRUE(display_.SurfaceReleaseDC(kSurfaceBack, again));
  EXPECT_FALSE(display_.SurfaceReleaseDC(kSurfaceBack, again));  // released twice: refused
  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_EQ(messages_.Messages()[0].text.rfind("SurfaceReleaseDC ReleaseDC\n", 0), 0u);
  EXPECT_EQ(display_.GetWndDD()->GetWindow(), nullptr);  // the failure releases the display
}

TEST_F(DisplayTest, AFrontDrawnBeforeFreeNeverShowsInTheNextMode) {
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  CDC* dc = display_.SurfaceGetDC(kSurfaceFront);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(0, 0, 50, 50, kRed);
  display_.Free();
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));  // same size as before
  EXPECT_TRUE(display_.SurfaceReleaseDC(kSurfaceFront, dc));
  EXPECT_EQ(FrontPixel(10, 10), 0u);
}

TEST_F(DisplayTest, AContextGivenBackForAnotherSurfaceIsRefused) {
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  CDC* dc = display_.SurfaceGetDC(kSurfaceFront);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(0, 0, 10, 10, kRed);
  EXPECT_FALSE(display_.SurfaceReleaseDC(kSurfaceBack, dc));
  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_EQ(messages_.Messages()[0].text.rfind("SurfaceReleaseDC ReleaseDC\n", 0), 0u);
  EXPECT_EQ(display_.GetWndDD()->GetWindow(), nullptr);
  EXPECT_TRUE(display_.SurfaceReleaseDC(kSurfaceFront, dc));  // still live: taken back once
  EXPECT_EQ(messages_.Messages().size(), 1u);
}

TEST_F(DisplayTest, SurfaceNumbersAndContentIndices) {
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  EXPECT_FALSE(display_.SurfaceCreate(8, 0, 0, 0));
  EXPECT_FALSE(display_.SurfaceCreate(kSurfaceBack, 0, 0, 0));
  ASSERT_TRUE(display_.SurfaceCreate(0, kSurfSysMem, 0, 0));
  int w = 0, h = 0;
  ASSERT_TRUE(display_.SurfaceGetSize(0, w, h));
  EXPECT_EQ(w, 1024);  // default size: the mode in full screen
  EXPECT_EQ(display_.SurfaceGetDC(5), nullptr);
  EXPECT_EQ(display_.SurfaceGetDC(9), nullptr);
  EXPECT_FALSE(display_.SurfaceClear(-3, 0));

  ASSERT_TRUE(display_.SurfaceClear(0, kRed));
  ASSERT_TRUE(display_.SurfaceClear(kSurfaceBack, kBlue));
  EXPECT_EQ(display_.GetBackContent(), -1);
  EXPECT_FALSE(display_.SurfaceBltBack1(kSurfaceBack));
  EXPECT_FALSE(display_.SurfaceBltBack1(8));
  EXPECT_FALSE(display_.SurfaceBltBack1(1));  // does not exist
  EXPECT_EQ(BackPixel(0, 0), 0x0000FFu);      // untouched by the refused copies
  ASSERT_TRUE(display_.SurfaceBltBack1(0));
  EXPECT_EQ(display_.GetBackContent(), 0);
  EXPECT_EQ(BackPixel(0, 0), 0xFF0000u);

  // Present(false) copies nothing but moves the index.
  const uint32_t before = FrontPixel(0, 0);
  ASSERT_TRUE(display_.Present(false));
  EXPECT_EQ(display_.GetFrontContent(), 0);
  EXPECT_EQ(FrontPixel(0, 0), before);
  ASSERT_TRUE(display_.Present(true));
  EXPECT_EQ(FrontPixel(0, 0), 0xFF0000u);

  ASSERT_TRUE(display_.SurfaceClear(kSurfaceFront, 0));
  EXPECT_EQ(display_.GetFrontContent(), -1);
  ASSERT_TRUE(display_.SurfaceBltFront(0));
  EXPECT_EQ(display_.GetFrontContent(), 0);
  EXPECT_EQ(FrontPixel(5, 5), 0xFF0000u);
  EXPECT_TRUE(display_.SurfaceBltWait(0));
  EXPECT_FALSE(display_.SurfaceBltWait(6));
}

TEST_F(DisplayTest, FlipShowsTheBackAndNeverDrawsIntoAFrameBeingShown) {
  ASSERT_TRUE(display_.CreateFullScreen(0, kDispAttrFlip));
  Pump(50);
  ASSERT_TRUE(display_.SurfaceClear(kSurfaceFront, kBlue));
  ASSERT_TRUE(display_.SurfaceCreate(2, 0, 0, 0));
  ASSERT_TRUE(display_.SurfaceClear(2, kRed));
  ASSERT_TRUE(display_.SurfaceBltBack1(2));
  // The window system may be painting the old front at this moment.
  SurfacePtr shown = display_.GetFrontFrame();
  ASSERT_TRUE(display_.Flip());
  EXPECT_EQ(display_.GetFrontContent(), 2);
  EXPECT_EQ(FrontPixel(30, 30), 0xFF0000u);
  EXPECT_EQ(XScreenShot().At(30, 30), 0xFF0000u);
  EXPECT_EQ(BackPixel(30, 30), 0x0000FFu);  // the back buffer holds what the front showed
  CDC* dc = display_.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(0, 0, 100, 100, kGreen);
  ASSERT_TRUE(display_.SurfaceReleaseDC(kSurfaceBack, dc));
  EXPECT_EQ(shown->PixelAt(30, 30), 0x0000FFu);  // drawing never reaches a frame on screen
  EXPECT_EQ(FrontPixel(30, 30), 0xFF0000u);

  ASSERT_TRUE(display_.CreateWindowed(0, 40, 30));
  EXPECT_FALSE(display_.Flip());  // a window has no flipping chain
}

// A 4 x 2 picture with distinct pixels.
struct Picture {
  std::vector<uint32_t> pixels{0x102030, 0x405060, 0x708090, 0xA0B0C0, 0x112233, 0x445566, 0x778899, 0xAABBCC};
  QelBitmap View() {
    QelBitmap b;
    b.width = 4;
    b.height = 2;
    b.stride = 16;
    b.pixels = pixels.data();
    return b;
  }
};

TEST_F(DisplayTest, PicturesAreCentredOrStretchedOntoSurfaces) {
  ASSERT_TRUE(display_.CreateWindowed(0, 40, 20));
  ASSERT_TRUE(display_.SurfaceCreate(0, 0, 0, 0));
  Picture p;
  const QelBitmap bmp = p.View();
  ASSERT_TRUE(display_.SurfaceBltBack1(0));
  ASSERT_TRUE(display_.SurfaceDrawBitmap(0, &bmp, 0));
  ASSERT_TRUE(display_.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(18, 9), 0x102030u);  // centred: ((40 - 4) / 2, (20 - 2) / 2)
  EXPECT_EQ(BackPixel(21, 10), 0xAABBCCu);
  EXPECT_EQ(BackPixel(17, 9), 0u);

  ASSERT_TRUE(display_.SurfaceDrawBitmap(0, &bmp, kSurfNegate));
  ASSERT_TRUE(display_.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(18, 9), 0xEFDFCFu);

  // Stretched at scale 10000: width kept (4 of 40), the surface's aspect ratio (2 of 20).
  ASSERT_TRUE(display_.SurfaceStretchBitmap(0, &bmp, 0));
  ASSERT_TRUE(display_.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(18, 9), 0x102030u);
  EXPECT_EQ(BackPixel(21, 10), 0xAABBCCu);

  // A scale from a rectangle half the client width doubles the share.
  QelRect half{0, 0, 20, 10};
  display_.SetWndRectScale(half);
  EXPECT_EQ(display_.GetScale(), 20000);
  ASSERT_TRUE(display_.SurfaceStretchBitmap(0, &bmp, 0));
  ASSERT_TRUE(display_.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(16, 8), 0x102030u);  // 8 x 4 at (16, 8)
  EXPECT_EQ(BackPixel(23, 11), 0xAABBCCu);
  EXPECT_EQ(BackPixel(15, 8), 0u);
}

TEST_F(DisplayTest, APictureLargerThanTheSurfaceIsCutAtTheRightAndBottom) {
  ASSERT_TRUE(display_.CreateWindowed(0, 3, 1));
  ASSERT_TRUE(display_.SurfaceCreate(0, 0, 0, 0));
  Picture p;
  const QelBitmap bmp = p.View();
  ASSERT_TRUE(display_.SurfaceDrawBitmap(0, &bmp, 0));
  ASSERT_TRUE(display_.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(0, 0), 0x102030u);
  EXPECT_EQ(BackPixel(2, 0), 0x708090u);
}

// A 2 x 1 bitmap at 24 bits as a packed DIB.
std::vector<uint8_t> TinyDib() {
  std::vector<uint8_t> b(40 + 8, 0);
  b[0] = 40;
  b[4] = 2;   // width
  b[8] = 1;   // height
  b[12] = 1;  // planes
  b[14] = 24;
  const uint8_t pixels[] = {0x30, 0x20, 0x10, 0x60, 0x50, 0x40};  // blue, green, red
  std::copy(std::begin(pixels), std::end(pixels), b.begin() + 40);
  return b;
}

TEST_F(DisplayTest, KeptPicturesRedrawTheirSurfaces) {
  ASSERT_TRUE(display_.CreateWindowed(0, 4, 2));
  const std::vector<uint8_t> bytes = TinyDib();
  const QelDib dib{bytes.data(), bytes.size()};
  ASSERT_TRUE(display_.SurfaceCreateBitmap(2, &dib, 0));
  ASSERT_TRUE(display_.SurfaceBltBack1(2));
  EXPECT_EQ(BackPixel(1, 0), 0x102030u);
  EXPECT_EQ(BackPixel(2, 0), 0x405060u);
  ASSERT_TRUE(display_.SurfaceClear(2, kRed));
  ASSERT_TRUE(display_.SurfaceDrawBitmap(2));  // from the kept picture
  ASSERT_TRUE(display_.SurfaceBltBack1(2));
  EXPECT_EQ(BackPixel(1, 0), 0x102030u);

  Picture p;
  const QelBitmap bmp = p.View();
  ASSERT_TRUE(display_.SurfaceCreateBitmap(3, &bmp, kSurfStretch));
  EXPECT_FALSE(display_.SurfaceDrawBitmap(5));  // nothing kept
  EXPECT_TRUE(messages_.Messages().empty());

  std::vector<uint8_t> bad = bytes;
  bad.resize(44);  // the pixels are cut off
  const QelDib badDib{bad.data(), bad.size()};
  EXPECT_FALSE(display_.SurfaceDrawBitmap(2, &badDib, 0));
  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_EQ(messages_.Messages()[0].text.rfind("SurfaceDrawBitmap CreateDIBitmap\n", 0), 0u);
  EXPECT_NE(display_.GetWndDD()->GetWindow(), nullptr);  // this failure keeps the display
}

bool RedrawRed(void* context) {
  auto* d = static_cast<CDDDisplay*>(context);
  return d->SurfaceClear(kSurfaceBack, kRed);
}

TEST_F(DisplayTest, RestoreDisplayRedrawsThroughTheCallbackOrTheLastSurface) {
  ASSERT_TRUE(display_.CreateWindowed(0, 64, 48));
  Pump(30);
  // Nothing to redraw from: false, and nothing is presented.
  ASSERT_TRUE(display_.SurfaceClear(kSurfaceFront, kGreen));
  EXPECT_FALSE(display_.RestoreDisplay());
  EXPECT_EQ(FrontPixel(1, 1), 0x00C800u);

  // The surface last shown on the front is put back.
  ASSERT_TRUE(display_.SurfaceCreate(1, 0, 0, 0));
  ASSERT_TRUE(display_.SurfaceClear(1, kBlue));
  ASSERT_TRUE(display_.SurfaceBltFront(1));
  ASSERT_TRUE(display_.SurfaceClear(kSurfaceFront, 0));
  EXPECT_EQ(display_.GetFrontContent(), -1);
  ASSERT_TRUE(display_.SurfaceBltFront(1));
  ASSERT_TRUE(display_.SurfaceClear(kSurfaceBack, kGreen));
  EXPECT_TRUE(display_.RestoreDisplay());
  EXPECT_EQ(FrontPixel(1, 1), 0x0000FFu);

  // The caller's callback wins; command 2 runs the same recovery.
  display_.SetRestoreDisplay(RedrawRed, &display_);
  EXPECT_EQ(display_.SendMessageA(kDispCmdRestore, 0), 0);
  EXPECT_EQ(FrontPixel(1, 1), 0xFF0000u);
  display_.SetRestoreDisplay(nullptr, nullptr);
}

int g_restores = 0;
bool CountRestore(void*) {
  ++g_restores;
  return true;
}

// The window keeps the last frame, so a repaint the window system asks for
// shows exactly that frame again: nothing is redrawn into the back buffer,
// where a worker thread may be drawing the next one.
TEST_F(DisplayTest, ARepaintAskedByTheWindowSystemShowsTheLastFrameAsItWas) {
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  Pump(50);
  ASSERT_TRUE(display_.SurfaceCreate(1, 0, 0, 0));
  ASSERT_TRUE(display_.SurfaceClear(1, kBlue));
  ASSERT_TRUE(display_.SurfaceBltBack1(1));
  CDC* dc = display_.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(100, 100, 50, 50, kRed);  // drawn over the copied surface
  ASSERT_TRUE(display_.SurfaceReleaseDC(kSurfaceBack, dc));
  ASSERT_TRUE(display_.Present(true));
  EXPECT_EQ(display_.GetFrontContent(), 1);
  ASSERT_TRUE(display_.SurfaceClear(kSurfaceBack, kGreen));  // the next frame, half done
  g_restores = 0;
  display_.SetRestoreDisplay(CountRestore, nullptr);

  display_.GetWndDD()->GetWindow()->Refresh();
  Pump(100);
  EXPECT_EQ(g_restores, 0);
  EXPECT_EQ(BackPixel(10, 10), 0x00C800u);
  XScreenShot shot;
  EXPECT_EQ(shot.At(120, 120), 0xFF0000u);
  EXPECT_EQ(shot.At(10, 10), 0x0000FFu);
  display_.SetRestoreDisplay(nullptr, nullptr);
}

}  // namespace
}  // namespace display::test

}  // namespace qel
