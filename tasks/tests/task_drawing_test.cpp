// What the three tasks draw: the letters of a code at their places (intact,
// degraded, masks), the masks between trials, the house with its animals,
// the previews of the editors, the demonstrations and the parameter text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "display/image/ImageDecoder.h"
#include "include/qel/TaskEntry.h"
#include "tasks/layers/glyphs/LetterGlyphs.h"
#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

// Checks the glyph box whose top-left corner is (left, top) with blocks of
// b pixels: strokes in white (cells of value 2 only when intact), the rest
// black. A null glyph means an empty box.
void ExpectGlyph(MemoryDC& dc, int left, int top, int b, const uint8_t* glyph, bool degraded, const char* what) {
  SCOPED_TRACE(what);
  int wrong = 0;
  for (int r = 0; r < qel::kGlyphRows; ++r) {
    for (int c = 0; c < qel::kGlyphColumns; ++c) {
      const uint8_t cell = glyph ? glyph[r * qel::kGlyphColumns + c] : qel::kGlyphCellEmpty;
      const bool lit = cell == qel::kGlyphCellStroke || (cell == qel::kGlyphCellIntactOnly && !degraded);
      for (int y = 0; y < b; ++y) {
        for (int x = 0; x < b; ++x) {
          if (dc.GetPixel(left + c * b + x, top + r * b + y) != (lit ? kWhite : kBlack)) ++wrong;
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

char Slot(const char* code, char (&slot)[kTrialCodeSize]) {
  std::memset(slot, 0, sizeof slot);
  std::strncpy(slot, code, kTrialCodeSize - 1);
  return slot[0];
}

// 640 x 480 at scale 100: letter height 52, blocks of 2, positions 74 and
// 65 pixels from the centre; glyph boxes (22 x 46) from these corners.
constexpr int kLeft[4] = {235, 383, 235, 383};
constexpr int kTop[4] = {152, 152, 282, 282};

TEST(LetterDrawing, SignalThenMasks) {
  LoadedTask t("MSL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  for (int i = 0; i < 4; ++i) ExpectGlyph(front, kLeft[i], kTop[i], 2, qel::GetMaskGlyph(), false, "empty display");

  char code[kTrialCodeSize];
  Slot("KrA#", code);
  ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(code), reinterpret_cast<intptr_t>(&t.m_display)));
  ExpectGlyph(front, kLeft[0], kTop[0], 2, qel::GetLetterGlyph('K'), false, "intact K");
  ExpectGlyph(front, kLeft[1], kTop[1], 2, qel::GetLetterGlyph('R'), true, "degraded r");
  ExpectGlyph(front, kLeft[2], kTop[2], 2, qel::GetMaskGlyph(), false, "vowel A as a mask");
  ExpectGlyph(front, kLeft[3], kTop[3], 2, nullptr, false, "# draws nothing");
  EXPECT_EQ(front.GetPixel(320, 240), kWhite) << "the centre cross";

  ASSERT_TRUE(t.Command(kCmdHideSignal, 0));
  for (int i = 0; i < 4; ++i) ExpectGlyph(front, kLeft[i], kTop[i], 2, qel::GetMaskGlyph(), false, "masks");
  EXPECT_EQ(front.GetPixel(320, 240), kBlack) << "no cross between trials";
}

TEST(LetterDrawing, SizeFollowsTheScreenScale) {
  LoadedTask t("MSL", 800, 600);
  ASSERT_TRUE(t.Loaded());
  t.m_task.w.TaskSSS = 150;
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  // Height 300 x 11 x 1.5 x 0.02 = 99 pixels, blocks of 4, positions 142
  // and 123 pixels from the centre (400, 300).
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  ExpectGlyph(front, 400 - 142 - 22, 300 - 123 - 46, 4, qel::GetMaskGlyph(), false, "top left");
  ExpectGlyph(front, 400 + 142 - 22, 300 + 123 - 46, 4, qel::GetMaskGlyph(), false, "bottom right");
}

TEST(LetterDrawing, OtherDiagonalMovesTheLetters) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = 1;
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  char code[kTrialCodeSize];
  Slot("CRTB", code);
  ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(code), reinterpret_cast<intptr_t>(&t.m_display)));
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  // Shown as TBCR: the c of the top left now stands bottom left.
  ExpectGlyph(front, kLeft[0], kTop[0], 2, qel::GetLetterGlyph('T'), false, "T");
  ExpectGlyph(front, kLeft[1], kTop[1], 2, qel::GetLetterGlyph('B'), false, "B");
  ExpectGlyph(front, kLeft[2], kTop[2], 2, qel::GetLetterGlyph('C'), false, "C");
  ExpectGlyph(front, kLeft[3], kTop[3], 2, qel::GetLetterGlyph('R'), false, "R");
  EXPECT_STREQ(code, "CRTB") << "the host's code is left as it is";
}

TEST(LetterDrawing, EditorPreviewDrawsIntoSurfaceZero) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Command(kCmdPrepareScreen, reinterpret_cast<intptr_t>(&t.m_display), 0));
  char code[kTrialCodeSize];
  Slot("jNs0", code);
  ASSERT_TRUE(t.Command(kCmdDrawToSurface, reinterpret_cast<intptr_t>(code), reinterpret_cast<intptr_t>(&t.m_display)));
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  ExpectGlyph(front, kLeft[0], kTop[0], 2, qel::GetLetterGlyph('J'), true, "degraded j");
  ExpectGlyph(front, kLeft[1], kTop[1], 2, qel::GetLetterGlyph('N'), false, "N");
  ExpectGlyph(front, kLeft[3], kTop[3], 2, qel::GetMaskGlyph(), false, "0 is a mask");
  EXPECT_EQ(front.GetPixel(320, 240), kBlack) << "no cross in a preview";
}

TEST(LetterDemonstration, MemoryLettersOnOneRow) {
  LoadedTask t("MSL");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 2));  // k, r, s
  t.m_host.m_spaceChange = 57;
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  // 44 pixels (22 blocks) apart around the centre, in upper case.
  ExpectGlyph(front, 320 - 44 - 11, 240 - 23, 2, qel::GetLetterGlyph('K'), false, "k");
  ExpectGlyph(front, 320 - 11, 240 - 23, 2, qel::GetLetterGlyph('R'), false, "r");
  ExpectGlyph(front, 320 + 44 - 11, 240 - 23, 2, qel::GetLetterGlyph('S'), false, "s");
  EXPECT_EQ(t.m_display.m_presents, 1);
  EXPECT_EQ(t.m_display.m_cursorShown, 1) << "the run is ended";
}

TEST(LetterDemonstration, BlinkingDiagonalThenMemoryLetters) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 1));  // j, n, s
  t.m_host.m_spaceChange = 57;
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  EXPECT_EQ(t.m_host.m_now, 6000u) << "twelve steps of 500 ms on the host's clock";
  EXPECT_EQ(t.m_display.m_presents, 13);
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  ExpectGlyph(front, 320 - 44 - 11, 240 - 23, 2, qel::GetLetterGlyph('J'), false, "j");
  ExpectGlyph(front, 320 + 44 - 11, 240 - 23, 2, qel::GetLetterGlyph('S'), false, "s");
}

struct BlinkCase {
  uint32_t parameter;
  int erased[2];
  int shown[2];
};

class BlinkStep : public testing::TestWithParam<BlinkCase> {};

TEST_P(BlinkStep, AKeyEndsTheBlinkingAndEscapeTheDemonstration) {
  const BlinkCase& c = GetParam();
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = c.parameter;
  ASSERT_TRUE(t.Setup(1, 0));
  t.m_host.m_spaceKey = [](uint32_t now) { return now >= 100 ? 1 : 0; };
  t.m_host.m_spaceChange = 1;
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  EXPECT_EQ(t.m_display.m_presents, 1) << "stopped in the first step, no memory letters";
  EXPECT_EQ(t.m_host.m_now, 100u);
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  for (int p : c.erased) ExpectGlyph(front, kLeft[p], kTop[p], 2, nullptr, false, "relevant: off");
  for (int p : c.shown) ExpectGlyph(front, kLeft[p], kTop[p], 2, qel::GetMaskGlyph(), false, "irrelevant: mask");
}

INSTANTIATE_TEST_SUITE_P(Diagonals, BlinkStep,
                         testing::Values(BlinkCase{0, {0, 3}, {1, 2}}, BlinkCase{1, {2, 1}, {0, 3}}));

TEST(ParameterText, RelevantDiagonal) {
  LoadedTask t("FA4L");
  ASSERT_TRUE(t.Loaded());
  EXPECT_EQ(t.Value(kCmdGetParamText, 1, 0), 3);
  EXPECT_EQ(t.m_library.answerText, "Relevant diagonal");
  EXPECT_EQ(t.Value(kCmdGetParamText, 1, 1), 0) << "no model task to read the diagonal of";
  EXPECT_EQ(t.m_library.answerText, "") << "the caption of the last line is not left as the answer";
  ASSERT_TRUE(t.Setup(1, 0));
  EXPECT_EQ(t.Value(kCmdGetParamText, 0, 0), 1);
  EXPECT_EQ(t.Value(kCmdGetParamText, 1, 0), 3);
  EXPECT_EQ(t.m_library.answerText, "Relevant diagonal");
  EXPECT_EQ(t.Value(kCmdGetParamText, 1, 1), 3);
  EXPECT_EQ(t.m_library.answerText, "\\  (LeftTop to RightBottom)");
  t.m_task.TaskParam[0] = 1;
  EXPECT_EQ(t.Value(kCmdGetParamText, 1, 1), 3);
  EXPECT_EQ(t.m_library.answerText, "/  (LeftBottom to RightTop)");
  EXPECT_EQ(t.Value(kCmdGetParamText, 2, 0), 0);
  EXPECT_EQ(t.m_library.answerText, "");

  LoadedTask msl("MSL");
  ASSERT_TRUE(msl.Loaded());
  EXPECT_EQ(msl.Value(kCmdGetParamText, 0, 0), 0) << "no parameters";
}

// The animal pictures as the plug-in carries them.
COLORREF PicturePixel(int picture, int x, int y) {
  static const char* const kFiles[] = {"animal1_cat.bmp",       "animal2_fish.bmp", "animal3_snail.bmp",
                                       "animal4_butterfly.bmp", "animal5_bee.bmp",  "animal6_bird.bmp"};
  QelImage image;
  const std::string path = std::string(QEL_SOURCE_DIR) + "/tasks/layers/pictures/" + kFiles[picture - 1];
  if (QelLoadImageFile(path, image) != QelImageStatus::kOk) return 0xFFFFFFFF;
  const uint32_t p = image.Pixel(x, y);
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

bool Logged(MemoryDC& dc, const std::string& call) {
  return std::find(dc.Calls().begin(), dc.Calls().end(), call) != dc.Calls().end();
}

TEST(HouseDrawing, AnimalsInTheWindowsOfTheCode) {
  LoadedTask t("MSO1", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  MemoryDC& back = t.m_display.Surface(kSurfaceBack);
  EXPECT_EQ(std::count(back.Calls().begin(), back.Calls().end(), "Polygon"), 2) << "walls and roof";
  back.ClearCalls();

  char code[kTrialCodeSize];
  Slot("2134", code);
  ASSERT_TRUE(t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(code), reinterpret_cast<intptr_t>(&t.m_display)));
  // Windows' top-left corners around the centre (400, 300).
  const int windows[4][2] = {{352, 210}, {192, 370}, {512, 370}, {352, 370}};
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  for (int w = 0; w < 4; ++w) {
    const int picture = code[w] - '0';
    EXPECT_TRUE(
        Logged(back, "BitBlt " + std::to_string(windows[w][0]) + " " + std::to_string(windows[w][1]) + " 96 100"))
        << "window " << w;
    for (auto [x, y] : {std::pair{48, 50}, std::pair{30, 70}, std::pair{60, 20}}) {
      EXPECT_EQ(front.GetPixel(windows[w][0] + x, windows[w][1] + y), PicturePixel(picture, x, y))
          << "window " << w << " shows picture " << picture;
    }
  }

  ASSERT_TRUE(t.Command(kCmdHideSignal, 0));
  for (int w = 0; w < 4; ++w) {
    EXPECT_EQ(front.GetPixel(windows[w][0] + 48, windows[w][1] + 50), kBlack) << "empty window " << w;
  }
}

TEST(HouseDrawing, EditorPreviewFitsTheContext) {
  LoadedTask t("MSO1", 640, 480);
  ASSERT_TRUE(t.Loaded());
  char code[kTrialCodeSize];
  Slot("6543", code);
  ASSERT_TRUE(t.Command(kCmdDrawToSurface, reinterpret_cast<intptr_t>(code), reinterpret_cast<intptr_t>(&t.m_display)));
  MemoryDC& surface = t.m_display.Surface(0);
  // 640 x 480 holds the design 1:1: the windows at their design places.
  EXPECT_TRUE(Logged(surface, "StretchBlt 272 150 96 100"));
  EXPECT_TRUE(Logged(surface, "StretchBlt 272 310 96 150")) << "the tall opening is filled";
  EXPECT_EQ(t.m_display.Surface(kSurfaceFront).GetPixel(272 + 48, 150 + 50), PicturePixel(6, 48, 50));
}

TEST(HouseDemonstration, SampleDisplayThenMemoryPictures) {
  LoadedTask t("MSO1", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 1));  // pictures 3 and 4; sample display "3456"
  t.m_host.m_spaceChange = 57;
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  EXPECT_EQ(t.m_display.m_presents, 2);
  MemoryDC& back = t.m_display.Surface(kSurfaceBack);
  EXPECT_TRUE(Logged(back, "BitBlt 352 210 96 100"));
  // Then picture i at (centre x + 384 i - 192 - 48, centre y - 50).
  EXPECT_TRUE(Logged(back, "BitBlt 160 250 96 100"));
  EXPECT_TRUE(Logged(back, "BitBlt 544 250 96 100"));
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  EXPECT_EQ(front.GetPixel(160 + 48, 250 + 50), PicturePixel(3, 48, 50));
  EXPECT_EQ(front.GetPixel(544 + 48, 250 + 50), PicturePixel(4, 48, 50));
  EXPECT_EQ(front.GetPixel(330, 260), kBlack) << "no house (a green shutter) behind the memory pictures";
}

TEST(HouseDemonstration, EscapeAfterTheSampleDisplay) {
  LoadedTask t("MSO1", 800, 600);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(2, 0));  // picture 5; sample display "5431"
  t.m_host.m_spaceChange = 1;
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  EXPECT_EQ(t.m_display.m_presents, 1);
  EXPECT_EQ(t.m_display.Surface(kSurfaceFront).GetPixel(352 + 48, 210 + 50), PicturePixel(5, 48, 50));
}

}  // namespace

}  // namespace qel
