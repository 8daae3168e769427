// Through the plug-in: displays, full screen, surfaces, drawing contexts,
// the drawing helpers, presenting, the restore callback. Pixels are read
// back from the surfaces, from the frame the window shows and from the X
// screen itself.
#include "engine/host/tests/plugin/ProbeFixture.h"

namespace qel {

namespace test {
namespace {

class ProbeDisplay : public ProbeTest {
 protected:
  void SetUp() override {
    ProbeTest::SetUp();
    ASSERT_GE(Call("DISPLAYS"), 1);
    ASSERT_EQ(Call("FULLSCREEN 0 8"), 1);  // presented synchronously
    Pump(50);
  }
  void TearDown() override {
    Call("FREEDISPLAY");
    Pump(30);
  }
  // A pixel of the frame on screen (COLORREF), through the display object.
  COLORREF FramePixel(int x, int y) {
    display::SurfacePtr frame = m_sharedHost->Display().GetFrontFrame();
    return frame ? display::ColorrefFromPixel(frame->PixelAt(x, y)) : 0xFFFFFFFFu;
  }
  int32_t Pixel(int surface, int x, int y) {
    return Call("PIXEL " + std::to_string(surface) + " " + std::to_string(x) + " " + std::to_string(y));
  }
};

TEST_F(ProbeDisplay, DisplaysAndTheirNames) {
  EXPECT_GT(Call("DISPLAYNAME 0"), 0);
  EXPECT_EQ(Text(), m_sharedHost->Display().GetDisplayName(0));
  EXPECT_EQ(Call("DISPLAYNAME 9"), 0);
  EXPECT_EQ(Call("DISPLAYNAME -1"), 0);
}

TEST_F(ProbeDisplay, FullScreenTakesTheProgramsResourcesAndHasAWindow) {
  EXPECT_EQ(m_sharedHost->Display().GetInstResource(), m_sharedHost->GetProgramResources());
  EXPECT_EQ(Call("WINDOW"), 1);
  EXPECT_EQ(m_sharedHost->GetWndDD(), static_cast<void*>(m_sharedHost->Display().GetWndDD()->GetWindow()));
  EXPECT_EQ(Call("FULLSCREEN 7 0"), 0);  // no such display
  EXPECT_EQ(Call("FREEDISPLAY"), 1);
  EXPECT_EQ(Call("WINDOW"), 0);
  EXPECT_EQ(Pixel(kSurfaceBack, 0, 0), -1) << "no drawing context without a mode";
}

struct ShapeCase {
  const char* name;
  const char* line;  // drawn into the back buffer
  std::vector<std::pair<int, int>> on;
  std::vector<std::pair<int, int>> off;
  COLORREF colour;
};

class ProbeShapes : public ProbeDisplay, public testing::WithParamInterface<ShapeCase> {};

TEST_P(ProbeShapes, DrawnIntoTheBackBufferAndPresented) {
  ASSERT_EQ(Call("CLEAR " + std::to_string(kSurfaceBack) + " 0x000000"), 1);
  ASSERT_EQ(Call("DRAW " + std::to_string(kSurfaceBack) + " " + GetParam().line), 1);
  for (auto [x, y] : GetParam().on)
    EXPECT_EQ(Pixel(kSurfaceBack, x, y), static_cast<int32_t>(GetParam().colour)) << x << "," << y;
  for (auto [x, y] : GetParam().off) EXPECT_EQ(Pixel(kSurfaceBack, x, y), 0) << x << "," << y;
  ASSERT_EQ(Call("PRESENT 1"), 1);
  for (auto [x, y] : GetParam().on) {
    EXPECT_EQ(FramePixel(x, y), GetParam().colour) << x << "," << y;
    EXPECT_EQ(Pixel(kSurfaceFront, x, y), static_cast<int32_t>(GetParam().colour)) << x << "," << y;
  }
}

// The display is 1024 x 768: its centre is (512, 384).
INSTANTIATE_TEST_SUITE_P(
    Helpers, ProbeShapes,
    testing::Values(
        ShapeCase{"FillRect", "RECT 10 10 20 20 0x0000FF", {{10, 10}, {29, 29}}, {{30, 29}, {9, 10}}, 0x0000FF},
        ShapeCase{"FramedSquarePen",
                  "FRAMED 100 100 10 0xFF0000 0x00FF00",
                  {{90, 100}, {110, 95}},
                  {{89, 100}, {111, 100}},
                  0xFF0000},
        ShapeCase{
            "FramedSquareBrush", "FRAMED 100 100 10 0xFF0000 0x00FF00", {{100, 100}, {91, 91}}, {{100, 111}}, 0x00FF00},
        ShapeCase{
            "FillSquare", "SQUARE 200 100 5 0x00FFFF", {{195, 95}, {205, 105}}, {{206, 100}, {200, 94}}, 0x00FFFF},
        ShapeCase{
            "FillSquareCentred", "CSQUARE 4 0xFFFF00", {{508, 380}, {516, 388}}, {{517, 384}, {512, 379}}, 0xFFFF00},
        ShapeCase{"Cross",
                  "CROSS 300 300 10 0xFF00FF 3",
                  {{300, 290}, {310, 300}, {299, 310}},
                  {{302, 290}, {300, 311}},
                  0xFF00FF},
        ShapeCase{"CrossCentred",
                  "CCROSS 30 0x808080 1",
                  {{512, 354}, {542, 384}, {511, 384}},
                  {{514, 354}, {543, 384}},
                  0x808080},
        ShapeCase{"Line", "LINE 10 500 100 500 0x00FF00 1", {{10, 500}, {99, 500}}, {{100, 500}, {50, 501}}, 0x00FF00},
        ShapeCase{"Arc", "ARC 600 100 701 161 0xFFFFFF 1", {{650, 100}}, {{650, 130}}, 0xFFFFFF},
        ShapeCase{"Ellipse",
                  "ELLIPSE 600 300 700 360 0x0080FF",
                  {{650, 330}, {601, 330}},
                  {{600, 300}, {699, 359}},
                  0x0080FF}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST_F(ProbeDisplay, HelpersDrawNothingWithoutAContext) {
  ASSERT_EQ(Call("CLEAR " + std::to_string(kSurfaceBack) + " 0x000000"), 1);
  for (const char* line : {"RECT 0 0 50 50 0xFFFFFF", "FRAMED 20 20 5 0xFFFFFF 0xFFFFFF", "SQUARE 20 20 5 0xFFFFFF",
                           "CSQUARE 5 0xFFFFFF", "CROSS 20 20 5 0xFFFFFF 3", "CCROSS 5 0xFFFFFF 3",
                           "LINE 0 20 50 20 0xFFFFFF 1", "ARC 0 0 40 40 0xFFFFFF 1", "ELLIPSE 0 0 40 40 0xFFFFFF"}) {
    EXPECT_EQ(Call(std::string("DRAWNODC ") + line), 1) << line;
  }
  EXPECT_EQ(Pixel(kSurfaceBack, 20, 20), 0);
  EXPECT_EQ(Pixel(kSurfaceBack, 512, 384), 0);
}

TEST_F(ProbeDisplay, ClearingSurfacesAndTheBackBuffer) {
  EXPECT_EQ(Call("CLEAR " + std::to_string(kSurfaceBack) + " 0x123456"), 1);
  EXPECT_EQ(Pixel(kSurfaceBack, 0, 0), 0x123456);
  EXPECT_EQ(Pixel(kSurfaceBack, 1023, 767), 0x123456);
  EXPECT_EQ(Call("CLEAR 5 0x123456"), 0) << "an off-screen surface that was never made";
}

TEST_F(ProbeDisplay, ThePluginDrawsItsStimulusIntoASurfaceAndItReachesTheScreen) {
  // The draw-to-surface command: the framework clears surface 0, lets the task draw into it,
  // copies it to the back buffer and presents.
  ASSERT_TRUE(m_sharedHost->Display().SurfaceCreate(0, kSurfSysMem, 1024, 768));
  ASSERT_TRUE(Command(kCmdDrawToSurface, reinterpret_cast<intptr_t>("CODE"),
                      reinterpret_cast<intptr_t>(m_sharedHost->display), 0));
  // The framed square at (40, 30): blue frame, red inside; a red cross at the centre.
  const struct {
    int x, y;
    COLORREF colour;
  } points[] = {{30, 30, 0xFF0000},   {50, 25, 0xFF0000},   {40, 30, 0x0000FF}, {512, 384, 0x0000FF},
                {512, 365, 0x0000FF}, {531, 384, 0x0000FF}, {20, 30, 0x000000}, {512, 360, 0x000000}};
  for (const auto& p : points) {
    EXPECT_EQ(FramePixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    EXPECT_EQ(ScreenPixel(p.x, p.y), p.colour) << "on the X screen at " << p.x << "," << p.y;
  }
}

TEST_F(ProbeDisplay, TheFrameworksWarningCrossIsDrawnAtTheCentreOfTheFrontBuffer) {
  ASSERT_EQ(Call("CLEAR " + std::to_string(kSurfaceFront) + " 0x000000"), 1);
  ASSERT_TRUE(Command(kCmdShowWarning));
  // The framework's default size: a cross of arm 7 and bars 3 pixels thick.
  EXPECT_EQ(Pixel(kSurfaceFront, 512, 384), 0xFFFFFF);
  EXPECT_EQ(Pixel(kSurfaceFront, 519, 385), 0xFFFFFF);
  EXPECT_EQ(Pixel(kSurfaceFront, 520, 384), 0);
  EXPECT_EQ(Pixel(kSurfaceFront, 514, 380), 0);
  ASSERT_TRUE(Command(kCmdHideWarning));
  EXPECT_EQ(Pixel(kSurfaceFront, 512, 384), 0);
}

TEST_F(ProbeDisplay, TheRestoreCallbackRunsWhenTheDisplayIsRestored) {
  ASSERT_EQ(Call("RESTORE 1"), 1);
  const int before = Call("RESTORECALLS");
  m_sharedHost->Display().PostMessageA(kDispCmdRestore, 0);
  EXPECT_TRUE(PumpUntil([&] { return Call("RESTORECALLS") > before; }));
  ASSERT_EQ(Call("RESTORE 0"), 1);
  const int after = Call("RESTORECALLS");
  m_sharedHost->Display().PostMessageA(kDispCmdRestore, 0);
  Pump(50);
  EXPECT_EQ(Call("RESTORECALLS"), after);
}

}  // namespace
}  // namespace test

}  // namespace qel
