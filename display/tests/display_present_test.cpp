// Surfaces, pictures and presentation: what is drawn reaches the X screen,
// from the user-interface thread and from a worker thread.
#include <X11/keysym.h>

#include <atomic>
#include <thread>

#include "common/MonotonicNs.h"
#include "display/RasterSurface.h"
#include "display/tests/DisplayFixture.h"

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
  ASSERT_TRUE(m_display.CreateFullScreen(0, kDispAttrFlip));  // synchronous presentation
  Pump(50);
  DrawTestFrame(m_display, QelRGB(10, 20, 30), 0);
  ASSERT_TRUE(m_display.Present(true));
  EXPECT_EQ(FrontPixel(150, 120), 0xFF0000u);
  EXPECT_EQ(FrontPixel(5, 5), 0x0A141Eu);
  // With the flip attribute the X server has the frame when Present returns.
  int bad = -1;
  EXPECT_TRUE(ScreenShowsFront(m_display, &bad)) << bad << " points differ";
  XScreenShot shot;
  EXPECT_EQ(shot.At(150, 120), 0xFF0000u);
  EXPECT_EQ(shot.At(500, 360), 0x00C800u);

  // Without it the frame is handed to the server and shows up promptly.
  Pump(20);
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  Pump(50);
  DrawTestFrame(m_display, QelRGB(60, 0, 60), 40);
  ASSERT_TRUE(m_display.Present(true));
  EXPECT_TRUE(PumpUntil([&] { return ScreenShowsFront(m_display); }, 3000));
}

// Xvfb's GLX has no swap timestamps (GLX_OML_sync_control): a full-screen
// mode with the flip attribute falls back to shared memory, its frames still
// reach the screen, and each is stamped when the server has drawn it.
TEST_F(DisplayTest, WithoutSwapTimestampsTheFlipAttributeFallsBackToSharedMemory) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, kDispAttrFlip));
  Pump(50);
  DrawTestFrame(m_display, QelRGB(30, 20, 10), 10);
  const int64_t before = MonotonicNowNs();
  ASSERT_TRUE(m_display.Present(true));
  const int64_t after = MonotonicNowNs();
  EXPECT_EQ(m_display.PresentPath(), CDDDisplay::kPresentPathSharedMemory);
  EXPECT_TRUE(ScreenShowsFront(m_display));
  int64_t shown = 0;
  ASSERT_TRUE(m_display.LastFrameShownNs(&shown));
  EXPECT_GE(shown, before);
  EXPECT_LE(shown, after);

  // A window is never swapped at the blank: shared memory too.
  Pump(20);
  ASSERT_TRUE(m_display.CreateWindowed(0, 640, 480));
  Pump(50);
  DrawTestFrame(m_display, QelRGB(0, 40, 0), 20);
  ASSERT_TRUE(m_display.Present(true));
  EXPECT_EQ(m_display.PresentPath(), CDDDisplay::kPresentPathSharedMemory);
}

// Without the flip attribute too: a frame goes to the server from shared
// memory in one request, Present returns once the server has drawn it, and
// the display stamps that moment.
TEST_F(DisplayTest, FramesGoThroughSharedMemoryAndAreStampedWhenDrawn) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  Pump(50);
  int64_t stamp = 0;
  EXPECT_FALSE(m_display.LastFrameShownNs(&stamp)) << "no frame yet in this mode";
  for (int i = 0; i < 3; ++i) {
    DrawTestFrame(m_display, QelRGB(20 * i, 0, 40), 9 * i);
    const int64_t before = MonotonicNowNs();
    ASSERT_TRUE(m_display.Present(true));
    const int64_t after = MonotonicNowNs();
    ASSERT_TRUE(m_display.LastFrameShownNs(&stamp));
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    int bad = -1;
    EXPECT_TRUE(ScreenShowsFront(m_display, &bad)) << "frame " << i << ": " << bad << " points differ";
  }
  SurfacePtr front = m_display.GetFrontFrame();
  ASSERT_NE(front, nullptr);
  EXPECT_NE(front->Memory(), nullptr) << "the front frame lives in shared memory";
  m_display.Free();
  EXPECT_FALSE(m_display.LastFrameShownNs(&stamp));
  // A frame kept past the mode stays a readable picture.
  EXPECT_EQ(front->PixelAt(150, 120), 0xFF0000u);
}

// A frame drawn ahead of its onset: Present makes it ready, waits for the
// held moment, then hands it over; once the hold is lifted presents go at
// once, long before a held moment still far off.
TEST_F(DisplayTest, AHeldPresentHandsItsFrameOverAtTheHeldMoment) {
  constexpr int64_t kHoldNs = 30'000'000;
  // Far beyond any present on a loaded machine: a present still held to it
  // would end past it.
  constexpr int64_t kFarHoldNs = 20'000'000'000;
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  Pump(50);
  DrawTestFrame(m_display, QelRGB(0, 90, 0), 5);
  const int64_t hold = MonotonicNowNs() + kHoldNs;
  m_display.HoldPresentsUntil(hold);
  ASSERT_TRUE(m_display.Present(true));
  const int64_t returned = MonotonicNowNs();
  int64_t stamp = 0;
  ASSERT_TRUE(m_display.LastFrameShownNs(&stamp));
  EXPECT_GE(stamp, hold) << "not on the screen before the held moment";
  EXPECT_GE(returned, stamp);
  int bad = -1;
  EXPECT_TRUE(ScreenShowsFront(m_display, &bad)) << bad << " points differ";
  const int64_t farOff = MonotonicNowNs() + kFarHoldNs;
  m_display.HoldPresentsUntil(farOff);
  m_display.HoldPresentsUntil(0);
  DrawTestFrame(m_display, QelRGB(0, 0, 90), 7);
  ASSERT_TRUE(m_display.Present(true));
  EXPECT_LT(MonotonicNowNs(), farOff) << "no hold any more";
  ASSERT_TRUE(m_display.LastFrameShownNs(&stamp));
  EXPECT_LT(stamp, farOff);
  EXPECT_TRUE(ScreenShowsFront(m_display, &bad)) << bad << " points differ";
}

TEST_F(DisplayTest, FrameFromAWorkerThreadReachesTheScreen) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, kDispAttrFlip));
  Pump(50);
  std::atomic<int> result{-1};
  std::atomic<bool> matched{false};
  std::thread worker([&] {
    DrawTestFrame(m_display, QelRGB(0, 0, 80), 7);
    result = m_display.Present(true) ? 1 : 0;
    // Present has returned: the frame is on the X server now.
    matched = ScreenShowsFront(m_display);
  });
  ASSERT_TRUE(PumpUntil([&] { return result != -1; }, 10000));
  worker.join();
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(matched);
  EXPECT_EQ(FrontPixel(110, 120), 0xFF0000u);
}

TEST_F(DisplayTest, WorkerPresentNeverHangsWhenTheDisplayIsFreed) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  std::atomic<bool> stop{false};
  std::atomic<int> frames{0}, failures{0};
  std::thread worker([&] {
    while (!stop) {
      CDC* dc = m_display.SurfaceGetDC(kSurfaceBack);
      if (dc) {
        dc->FillSolidRect(0, 0, 50, 50, frames % 2 ? kRed : kBlue);
        m_display.SurfaceReleaseDC(kSurfaceBack, dc);
      }
      if (m_display.Present(true)) {
        ++frames;
      } else {
        ++failures;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
  });
  ASSERT_TRUE(PumpUntil([&] { return frames > 5; }));
  m_display.Free();  // races with the worker's presentation
  ASSERT_TRUE(PumpUntil([&] { return failures > 3; }));
  stop = true;
  worker.join();
  EXPECT_FALSE(m_display.Present(true));
}

TEST_F(DisplayTest, WorkerPresentGivesUpWhenTheUserInterfaceThreadWaitsForIt) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  bool presented = true;
  std::thread worker([&] { presented = m_display.Present(true); });
  worker.join();  // the user-interface thread is blocked here, as when a run joins its workers
  EXPECT_FALSE(presented);
  Pump(20);  // the abandoned work is dropped
}

TEST_F(DisplayTest, DrawingOnTheFrontReplacesTheFrameWhole) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, kDispAttrFlip));
  Pump(50);
  CDC* dc = m_display.SurfaceGetDC(kSurfaceFront);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(10, 10, 100, 100, kRed);
  EXPECT_NE(FrontPixel(20, 20), 0xFF0000u);  // not shown while drawing
  ASSERT_TRUE(m_display.SurfaceReleaseDC(kSurfaceFront, dc));
  EXPECT_EQ(FrontPixel(20, 20), 0xFF0000u);
  XScreenShot shot;
  EXPECT_EQ(shot.At(20, 20), 0xFF0000u);
  EXPECT_TRUE(m_display.SurfaceClear(kSurfaceFront, kBlue));
  EXPECT_EQ(FrontPixel(20, 20), 0x0000FFu);
  EXPECT_TRUE(m_display.SurfaceReleaseDC(kSurfaceBack, nullptr));
}

TEST_F(DisplayTest, AContextIsTakenBackOnceAndOutlivesTheDisplaySafely) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 50, 50));
  CDC* dc = m_display.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  m_display.Free();
  dc->FillSolidRect(0, 0, 50, 50, kRed);  // draws on a buffer no longer shown
  EXPECT_TRUE(m_display.SurfaceReleaseDC(kSurfaceBack, dc));
  EXPECT_TRUE(m_messages.Messages().empty());

  ASSERT_TRUE(m_display.CreateWindowed(0, 50, 50));
  CDC* again = m_display.SurfaceGetDC(kSurfaceBack);
  ASSERT_TRUE(m_display.SurfaceReleaseDC(kSurfaceBack, again));
  EXPECT_FALSE(m_display.SurfaceReleaseDC(kSurfaceBack, again));  // released twice: refused
  ASSERT_EQ(m_messages.Messages().size(), 1u);
  EXPECT_EQ(m_messages.Messages()[0].text.rfind("SurfaceReleaseDC ReleaseDC\n", 0), 0u);
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);  // the failure releases the display
}

TEST_F(DisplayTest, AFrontDrawnBeforeFreeNeverShowsInTheNextMode) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  CDC* dc = m_display.SurfaceGetDC(kSurfaceFront);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(0, 0, 50, 50, kRed);
  m_display.Free();
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));  // same size as before
  EXPECT_TRUE(m_display.SurfaceReleaseDC(kSurfaceFront, dc));
  EXPECT_EQ(FrontPixel(10, 10), 0u);
}

TEST_F(DisplayTest, AContextGivenBackForAnotherSurfaceIsRefused) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  CDC* dc = m_display.SurfaceGetDC(kSurfaceFront);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(0, 0, 10, 10, kRed);
  EXPECT_FALSE(m_display.SurfaceReleaseDC(kSurfaceBack, dc));
  ASSERT_EQ(m_messages.Messages().size(), 1u);
  EXPECT_EQ(m_messages.Messages()[0].text.rfind("SurfaceReleaseDC ReleaseDC\n", 0), 0u);
  EXPECT_EQ(m_display.GetWndDD()->GetWindow(), nullptr);
  EXPECT_TRUE(m_display.SurfaceReleaseDC(kSurfaceFront, dc));  // still live: taken back once
  EXPECT_EQ(m_messages.Messages().size(), 1u);
}

TEST_F(DisplayTest, SurfaceNumbersAndContentIndices) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  EXPECT_FALSE(m_display.SurfaceCreate(8, 0, 0, 0));
  EXPECT_FALSE(m_display.SurfaceCreate(kSurfaceBack, 0, 0, 0));
  ASSERT_TRUE(m_display.SurfaceCreate(0, kSurfSysMem, 0, 0));
  int w = 0, h = 0;
  ASSERT_TRUE(m_display.SurfaceGetSize(0, w, h));
  EXPECT_EQ(w, 1024);  // default size: the mode in full screen
  EXPECT_EQ(m_display.SurfaceGetDC(5), nullptr);
  EXPECT_EQ(m_display.SurfaceGetDC(9), nullptr);
  EXPECT_FALSE(m_display.SurfaceClear(-3, 0));

  ASSERT_TRUE(m_display.SurfaceClear(0, kRed));
  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceBack, kBlue));
  EXPECT_EQ(m_display.GetBackContent(), CDDDisplay::kNoContent);
  EXPECT_FALSE(m_display.SurfaceBltBack1(kSurfaceBack));
  EXPECT_FALSE(m_display.SurfaceBltBack1(8));
  EXPECT_FALSE(m_display.SurfaceBltBack1(1));  // does not exist
  EXPECT_EQ(BackPixel(0, 0), 0x0000FFu);       // untouched by the refused copies
  ASSERT_TRUE(m_display.SurfaceBltBack1(0));
  EXPECT_EQ(m_display.GetBackContent(), 0);
  EXPECT_EQ(BackPixel(0, 0), 0xFF0000u);

  // Present(false) copies nothing but moves the index.
  const uint32_t before = FrontPixel(0, 0);
  ASSERT_TRUE(m_display.Present(false));
  EXPECT_EQ(m_display.GetFrontContent(), 0);
  EXPECT_EQ(FrontPixel(0, 0), before);
  ASSERT_TRUE(m_display.Present(true));
  EXPECT_EQ(FrontPixel(0, 0), 0xFF0000u);

  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceFront, 0));
  EXPECT_EQ(m_display.GetFrontContent(), CDDDisplay::kNoContent);
  ASSERT_TRUE(m_display.SurfaceBltFront(0));
  EXPECT_EQ(m_display.GetFrontContent(), 0);
  EXPECT_EQ(FrontPixel(5, 5), 0xFF0000u);
  EXPECT_TRUE(m_display.SurfaceBltWait(0));
  EXPECT_FALSE(m_display.SurfaceBltWait(6));
}

TEST_F(DisplayTest, FlipShowsTheBackAndNeverDrawsIntoAFrameBeingShown) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, kDispAttrFlip));
  Pump(50);
  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceFront, kBlue));
  ASSERT_TRUE(m_display.SurfaceCreate(2, 0, 0, 0));
  ASSERT_TRUE(m_display.SurfaceClear(2, kRed));
  ASSERT_TRUE(m_display.SurfaceBltBack1(2));
  // The window system may be painting the old front at this moment.
  SurfacePtr shown = m_display.GetFrontFrame();
  ASSERT_TRUE(m_display.Flip());
  EXPECT_EQ(m_display.GetFrontContent(), 2);
  EXPECT_EQ(FrontPixel(30, 30), 0xFF0000u);
  EXPECT_EQ(XScreenShot().At(30, 30), 0xFF0000u);
  EXPECT_EQ(BackPixel(30, 30), 0x0000FFu);  // the back buffer holds what the front showed
  CDC* dc = m_display.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(0, 0, 100, 100, kGreen);
  ASSERT_TRUE(m_display.SurfaceReleaseDC(kSurfaceBack, dc));
  EXPECT_EQ(shown->PixelAt(30, 30), 0x0000FFu);  // drawing never reaches a frame on screen
  EXPECT_EQ(FrontPixel(30, 30), 0xFF0000u);

  ASSERT_TRUE(m_display.CreateWindowed(0, 40, 30));
  EXPECT_FALSE(m_display.Flip());  // a window has no flipping chain
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
  ASSERT_TRUE(m_display.CreateWindowed(0, 40, 20));
  ASSERT_TRUE(m_display.SurfaceCreate(0, 0, 0, 0));
  Picture p;
  const QelBitmap bmp = p.View();
  ASSERT_TRUE(m_display.SurfaceBltBack1(0));
  ASSERT_TRUE(m_display.SurfaceDrawBitmap(0, &bmp, 0));
  ASSERT_TRUE(m_display.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(18, 9), 0x102030u);  // centred: ((40 - 4) / 2, (20 - 2) / 2)
  EXPECT_EQ(BackPixel(21, 10), 0xAABBCCu);
  EXPECT_EQ(BackPixel(17, 9), 0u);

  ASSERT_TRUE(m_display.SurfaceDrawBitmap(0, &bmp, kSurfNegate));
  ASSERT_TRUE(m_display.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(18, 9), 0xEFDFCFu);

  // Stretched at scale 10000: width kept (4 of 40), the surface's aspect ratio (2 of 20).
  ASSERT_TRUE(m_display.SurfaceStretchBitmap(0, &bmp, 0));
  ASSERT_TRUE(m_display.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(18, 9), 0x102030u);
  EXPECT_EQ(BackPixel(21, 10), 0xAABBCCu);

  // A scale from a rectangle half the client width doubles the share.
  QelRect half{0, 0, 20, 10};
  m_display.SetWndRectScale(half);
  EXPECT_EQ(m_display.GetScale(), 20000);
  ASSERT_TRUE(m_display.SurfaceStretchBitmap(0, &bmp, 0));
  ASSERT_TRUE(m_display.SurfaceBltBack1(0));
  EXPECT_EQ(BackPixel(16, 8), 0x102030u);  // 8 x 4 at (16, 8)
  EXPECT_EQ(BackPixel(23, 11), 0xAABBCCu);
  EXPECT_EQ(BackPixel(15, 8), 0u);
}

TEST_F(DisplayTest, APictureLargerThanTheSurfaceIsCutAtTheRightAndBottom) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 3, 1));
  ASSERT_TRUE(m_display.SurfaceCreate(0, 0, 0, 0));
  Picture p;
  const QelBitmap bmp = p.View();
  ASSERT_TRUE(m_display.SurfaceDrawBitmap(0, &bmp, 0));
  ASSERT_TRUE(m_display.SurfaceBltBack1(0));
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
  ASSERT_TRUE(m_display.CreateWindowed(0, 4, 2));
  const std::vector<uint8_t> bytes = TinyDib();
  const QelDib dib{bytes.data(), bytes.size()};
  ASSERT_TRUE(m_display.SurfaceCreateBitmap(2, &dib, 0));
  ASSERT_TRUE(m_display.SurfaceBltBack1(2));
  EXPECT_EQ(BackPixel(1, 0), 0x102030u);
  EXPECT_EQ(BackPixel(2, 0), 0x405060u);
  ASSERT_TRUE(m_display.SurfaceClear(2, kRed));
  ASSERT_TRUE(m_display.SurfaceDrawBitmap(2));  // from the kept picture
  ASSERT_TRUE(m_display.SurfaceBltBack1(2));
  EXPECT_EQ(BackPixel(1, 0), 0x102030u);

  Picture p;
  const QelBitmap bmp = p.View();
  ASSERT_TRUE(m_display.SurfaceCreateBitmap(3, &bmp, kSurfStretch));
  EXPECT_FALSE(m_display.SurfaceDrawBitmap(5));  // nothing kept
  EXPECT_TRUE(m_messages.Messages().empty());

  std::vector<uint8_t> bad = bytes;
  bad.resize(44);  // the pixels are cut off
  const QelDib badDib{bad.data(), bad.size()};
  EXPECT_FALSE(m_display.SurfaceDrawBitmap(2, &badDib, 0));
  ASSERT_EQ(m_messages.Messages().size(), 1u);
  EXPECT_EQ(m_messages.Messages()[0].text.rfind("SurfaceDrawBitmap CreateDIBitmap\n", 0), 0u);
  EXPECT_NE(m_display.GetWndDD()->GetWindow(), nullptr);  // this failure keeps the display
}

bool RedrawRed(void* context) {
  auto* d = static_cast<CDDDisplay*>(context);
  return d->SurfaceClear(kSurfaceBack, kRed);
}

TEST_F(DisplayTest, RestoreDisplayRedrawsThroughTheCallbackOrTheLastSurface) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 64, 48));
  Pump(30);
  // Nothing to redraw from: false, and nothing is presented.
  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceFront, kGreen));
  EXPECT_FALSE(m_display.RestoreDisplay());
  EXPECT_EQ(FrontPixel(1, 1), 0x00C800u);

  // The surface last shown on the front is put back.
  ASSERT_TRUE(m_display.SurfaceCreate(1, 0, 0, 0));
  ASSERT_TRUE(m_display.SurfaceClear(1, kBlue));
  ASSERT_TRUE(m_display.SurfaceBltFront(1));
  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceFront, 0));
  EXPECT_EQ(m_display.GetFrontContent(), CDDDisplay::kNoContent);
  ASSERT_TRUE(m_display.SurfaceBltFront(1));
  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceBack, kGreen));
  EXPECT_TRUE(m_display.RestoreDisplay());
  EXPECT_EQ(FrontPixel(1, 1), 0x0000FFu);

  // The caller's callback wins; the restore command runs the same recovery.
  m_display.SetRestoreDisplay(RedrawRed, &m_display);
  EXPECT_EQ(m_display.SendMessageA(kDispCmdRestore, 0), 0);
  EXPECT_EQ(FrontPixel(1, 1), 0xFF0000u);
  m_display.SetRestoreDisplay(nullptr, nullptr);
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
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  Pump(50);
  ASSERT_TRUE(m_display.SurfaceCreate(1, 0, 0, 0));
  ASSERT_TRUE(m_display.SurfaceClear(1, kBlue));
  ASSERT_TRUE(m_display.SurfaceBltBack1(1));
  CDC* dc = m_display.SurfaceGetDC(kSurfaceBack);
  ASSERT_NE(dc, nullptr);
  dc->FillSolidRect(100, 100, 50, 50, kRed);  // drawn over the copied surface
  ASSERT_TRUE(m_display.SurfaceReleaseDC(kSurfaceBack, dc));
  ASSERT_TRUE(m_display.Present(true));
  EXPECT_EQ(m_display.GetFrontContent(), 1);
  ASSERT_TRUE(m_display.SurfaceClear(kSurfaceBack, kGreen));  // the next frame, half done
  g_restores = 0;
  m_display.SetRestoreDisplay(CountRestore, nullptr);

  m_display.GetWndDD()->GetWindow()->Refresh();
  Pump(100);
  EXPECT_EQ(g_restores, 0);
  EXPECT_EQ(BackPixel(10, 10), 0x00C800u);
  XScreenShot shot;
  EXPECT_EQ(shot.At(120, 120), 0xFF0000u);
  EXPECT_EQ(shot.At(10, 10), 0x0000FFu);
  m_display.SetRestoreDisplay(nullptr, nullptr);
}

}  // namespace
}  // namespace display::test

}  // namespace qel
