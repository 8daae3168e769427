// What the facial-emotion tasks put on the screen: the faces of a trial at
// their places, the cleared screen between trials, the editor's previews,
// the probe that opens an identification part with its timing, and the
// demonstrations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "display/image/ImageDecoder.h"
#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/LoadedTask.h"

namespace qel {

namespace {

using test::LoadedTask;

constexpr COLORREF kBlack = 0x000000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kCentreX = kWidth / 2;
constexpr int kCentreY = kHeight / 2;

const std::filesystem::path kPictures = std::filesystem::path(QEL_SOURCE_DIR) / "tasks/layers/faces/pictures";

// The committed picture of a face code ("m24", "w11R") at a size, read once.
const QelImage& Picture(const std::string& code, bool large) {
  static std::map<std::string, QelImage> read;
  std::string name = code.substr(0, 2) + "_" + code.substr(2, 1);
  if (code.size() > 3) name += (code[3] == 'L' || code[3] == 'l') ? "_left" : "_right";
  name += large ? "_large.png" : "_small.png";
  auto found = read.find(name);
  if (found == read.end()) {
    found = read.emplace(name, QelImage()).first;
    EXPECT_EQ(QelLoadImageFile((kPictures / name).string(), found->second), QelImageStatus::kOk) << name;
  }
  return found->second;
}

COLORREF AsColorref(uint32_t rgb) { return QelRGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The number of the picture's pixels that the context does not hold with
// its top-left corner at (x, y).
int Mismatches(const MemoryDC& dc, const QelImage& picture, int x, int y) {
  if (picture.IsEmpty()) return -1;
  int wrong = 0;
  for (int j = 0; j < picture.Height(); ++j) {
    for (int i = 0; i < picture.Width(); ++i) {
      if (dc.GetPixel(x + i, y + j) != AsColorref(picture.Pixel(i, j))) ++wrong;
    }
  }
  return wrong;
}

void Slot(const char* code, char (&slot)[kTrialCodeSize]) {
  std::memset(slot, 0, sizeof slot);
  std::strncpy(slot, code, kTrialCodeSize - 1);
}

bool Show(LoadedTask& t, const char* code) {
  char slot[kTrialCodeSize];
  Slot(code, slot);
  return t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot), reinterpret_cast<intptr_t>(&t.m_display));
}

// ---- Matching --------------------------------------------------------------

TEST(MatchingDrawing, TwoFacesThirtyPixelsApartThenAClearScreen) {
  LoadedTask t("MFE8", kWidth, kHeight);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  EXPECT_EQ(front.Count(kBlack), kWidth * kHeight) << "an empty screen at the start";

  ASSERT_TRUE(Show(t, "m24w16"));
  EXPECT_EQ(Mismatches(front, Picture("m24", true), kCentreX - 255, kCentreY - 136), 0);
  EXPECT_EQ(Mismatches(front, Picture("w16", true), kCentreX + 15, kCentreY - 136), 0);
  EXPECT_EQ(front.GetPixel(kCentreX, kCentreY), kBlack) << "the gap between the faces";
  EXPECT_EQ(front.Count(kBlack), kWidth * kHeight - 2 * 240 * 272);

  const int presents = t.m_display.m_presents;
  ASSERT_TRUE(t.Command(kCmdHideSignal, 0));
  EXPECT_EQ(t.m_display.m_presents, presents + 1);
  EXPECT_EQ(front.Count(kBlack), kWidth * kHeight) << "hidden";

  // Five characters or fewer, or a face outside the ranges: nothing of it.
  ASSERT_TRUE(Show(t, "m24w1"));
  EXPECT_EQ(front.Count(kBlack), kWidth * kHeight);
  ASSERT_TRUE(Show(t, "x24w19"));
  EXPECT_EQ(front.Count(kBlack), kWidth * kHeight);
  ASSERT_TRUE(Show(t, "x24w18"));
  EXPECT_EQ(Mismatches(front, Picture("w18", true), kCentreX + 15, kCentreY - 136), 0) << "the valid face is shown";
  EXPECT_EQ(front.Count(kBlack), kWidth * kHeight - 240 * 272);
}

// Command 11 into the editor's context: the small faces at (-64, -34) and
// (+4, -34) from its centre.
TEST(MatchingDrawing, PreviewWithTheSmallFaces) {
  LoadedTask t("MFE4");
  ASSERT_TRUE(t.Loaded());
  MemoryDC dc(200, 150);
  char code[kTrialCodeSize];
  Slot("w21m13", code);
  ASSERT_TRUE(t.Command(kCmdDrawStimulus, reinterpret_cast<intptr_t>(&dc), reinterpret_cast<intptr_t>(code)));
  EXPECT_EQ(Mismatches(dc, Picture("w21", false), 100 - 64, 75 - 34), 0);
  EXPECT_EQ(Mismatches(dc, Picture("m13", false), 100 + 4, 75 - 34), 0);
  EXPECT_EQ(dc.Count(kBlack), 200 * 150 - 2 * 60 * 68);
}

// Which faces of a large picture a context shows at (x, y): the code, or ""
// when no face of the given emotions and persons fits.
std::string FaceAt(const MemoryDC& dc, int x, int y, int maxEmotion, const std::string& gazes = "") {
  for (const char* person : {"m1", "m2", "w1", "w2"}) {
    for (int e = 0; e <= maxEmotion; ++e) {
      const std::string code = std::string(person) + std::to_string(e) + gazes;
      if (Mismatches(dc, Picture(code, true), x, y) == 0) return code;
    }
  }
  return "";
}

// The demonstration: a pair of one emotion, then one of two different
// emotions, of 1..4 and of two different persons; space waits between.
TEST(MatchingDemonstration, SameThenDifferentEmotions) {
  for (int round = 0; round < 6; ++round) {
    for (const bool stopAfterFirst : {true, false}) {
      LoadedTask t("MFE8", kWidth, kHeight);
      ASSERT_TRUE(t.Loaded());
      ASSERT_TRUE(t.Setup(1, 0));
      t.m_host.m_spaceChange = stopAfterFirst ? 1 : 0;
      ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
      const MemoryDC& front = t.m_display.Surface(kSurfaceFront);
      const std::string left = FaceAt(front, kCentreX - 255, kCentreY - 136, 4);
      const std::string right = FaceAt(front, kCentreX + 15, kCentreY - 136, 4);
      ASSERT_EQ(left.size(), 3u);
      ASSERT_EQ(right.size(), 3u);
      EXPECT_NE(left.substr(0, 2), right.substr(0, 2)) << "two different persons";
      EXPECT_NE(left[2], '0');
      EXPECT_NE(right[2], '0');
      EXPECT_EQ(left[2] == right[2], stopAfterFirst) << left << " " << right;
      EXPECT_GE(t.m_host.m_now, 1000u) << "a second's wait first";
      EXPECT_EQ(t.m_display.m_cursorShown, 1) << "the run ended";
    }
  }
}

TEST(MatchingDemonstration, EscapeDuringTheFirstWaitEndsIt) {
  LoadedTask t("MFE6", kWidth, kHeight);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 0));
  t.m_host.m_spaceKey = [](uint32_t now) { return now >= 300 ? kScanEscape : 0; };
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  EXPECT_EQ(t.m_display.Surface(kSurfaceFront).Count(kBlack), kWidth * kHeight) << "no pair shown";
  EXPECT_LT(t.m_host.m_now, 1000u);
  EXPECT_EQ(t.m_display.m_cursorShown, 1);
}

// ---- Identification ----------------------------------------------------

constexpr int kFaceLeft = kCentreX - 120;
constexpr int kFaceTop = kCentreY - 136;

uint32_t Slept(const LoadedTask& t) {
  uint32_t total = 0;
  for (uint32_t ms : t.m_host.m_sleeps) total += ms;
  return total;
}

struct ProbeCase {
  const char* task;
  int part;
  uint32_t mode;
  uint32_t duration, post, stimulus;
  uint32_t slept;   // by the probe sequence
  bool probeStays;  // still on the screen after command 5
  int32_t warning;  // command 16
};

const ProbeCase kProbes[] = {
    {"IFE", 2, 0, 1000, 500, 1000, 1500, false, 500},  // fixed: duration, then the blank interval
    {"IFE", 2, 0, 300, 0, 1000, 300, false, 500},
    {"IFE", 2, 1, 1000, 500, 1000, 500, false, 500},  // user terminated: space, then the interval
    {"IFE", 2, 1, 1000, 250, 1000, 250, false, 500},
    {"IFE", 2, 2, 1000, 500, 1000, 0, true, 1000},  // stimulus terminated: on until the first face
    {"IFE", 2, 2, 1000, 500, 1800, 0, true, 1800},
    {"IAE", 3, 0, 700, 200, 1000, 900, false, 500},
    {"IAE", 3, 2, 700, 200, 1200, 0, true, 1200},
    {"IAE", 3, 7, 700, 200, 1200, 200, false, 500},  // an unknown mode waits for the space key
};

TEST(ProbeTiming, ShownWaitedAndHidden) {
  for (const ProbeCase& c : kProbes) {
    SCOPED_TRACE(std::string(c.task) + " mode " + std::to_string(c.mode) + " " + std::to_string(c.duration) + "/" +
                 std::to_string(c.post) + "/" + std::to_string(c.stimulus));
    LoadedTask t(c.task, kWidth, kHeight);
    ASSERT_TRUE(t.Loaded());
    t.m_task.TaskParam[0] = c.mode;
    t.m_task.TaskParam[1] = c.duration;
    t.m_task.TaskParam[2] = c.post;
    t.m_task.TaskParam[3] = c.stimulus;
    ASSERT_TRUE(t.Setup(1, c.part));
    ASSERT_TRUE(t.BeginRun());
    EXPECT_EQ(Slept(t), c.slept);
    // The probe of a part: a face of its emotion, the persons in turn over the parts.
    const std::string probe = c.part == 2 ? "m23" : "w24";
    const MemoryDC& front = t.m_display.Surface(kSurfaceFront);
    const std::vector<std::string>& calls = t.m_display.Surface(kSurfaceBack).Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "BitBlt 280 164 240 272"), calls.end()) << "the probe was drawn";
    EXPECT_EQ(t.m_display.m_presents, c.probeStays ? 1 : 2);
    if (c.probeStays) {
      EXPECT_EQ(Mismatches(front, Picture(probe, true), kFaceLeft, kFaceTop), 0);
    } else {
      EXPECT_EQ(front.Count(kBlack), kWidth * kHeight) << "hidden for the post-probe interval";
      EXPECT_EQ(t.m_display.Surface(kSurfaceBack).Count(kBlack), kWidth * kHeight) << "nothing of it left behind";
    }
    EXPECT_EQ(t.Value(kCmdWarningInterval), c.warning);
  }
}

// A key ends the waits early.
TEST(ProbeTiming, AKeyEndsTheFixedWaits) {
  LoadedTask t("IFE", kWidth, kHeight);
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = 0;
  t.m_task.TaskParam[1] = 5000;
  t.m_task.TaskParam[2] = 5000;
  t.m_host.m_spaceKey = [](uint32_t now) { return now >= 200 ? kScanSpace : 0; };
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  EXPECT_EQ(Slept(t), 200u);
}

struct LabelCase {
  const char* task;
  int part;
  uint32_t word4;  // probe as text, language
  const char* label;
};

const LabelCase kLabels[] = {
    {"IFE", 2, 0x00010001, "Boos"},     {"IFE", 2, 0x00000001, "Angry"},      {"IFE", 7, 0x00010001, "Verachting"},
    {"IFE", 0, 0x00000001, "Happy"},    {"IAE", 1, 0x00010001, "Verdrietig"}, {"IAE", 3, 0x00000001, "Fear"},
    {"IFE", 5, 0x00050001, "Surprise"},  // an unknown language: English
};

TEST(ProbeLabel, TheEmotionAsAWord) {
  for (const LabelCase& c : kLabels) {
    SCOPED_TRACE(std::string(c.task) + " " + c.label);
    LoadedTask t(c.task, kWidth, kHeight);
    ASSERT_TRUE(t.Loaded());
    t.m_task.TaskParam[0] = 2;  // the probe stays
    t.m_task.TaskParam[4] = c.word4;
    ASSERT_TRUE(t.Setup(1, c.part));
    ASSERT_TRUE(t.BeginRun());
    const std::vector<std::string>& calls = t.m_display.Surface(kSurfaceBack).Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), std::string("DrawText ") + c.label), calls.end());
    EXPECT_EQ(t.m_display.Surface(kSurfaceFront).Count(kBlack), kWidth * kHeight) << "no face beside the word";
  }
}

TEST(IdentificationDrawing, OneFaceInTheMiddleThenAClearScreen) {
  LoadedTask t("IAE", kWidth, kHeight);
  ASSERT_TRUE(t.Loaded());
  t.m_task.TaskParam[0] = 0;
  ASSERT_TRUE(t.Setup(1, 0));
  ASSERT_TRUE(t.BeginRun());
  const MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  for (const char* code : {"m11R", "w23L", "m20", "w14l"}) {
    SCOPED_TRACE(code);
    ASSERT_TRUE(Show(t, code));
    EXPECT_EQ(Mismatches(front, Picture(code, true), kFaceLeft, kFaceTop), 0);
    EXPECT_EQ(front.Count(kBlack), kWidth * kHeight - 240 * 272);
    const int presents = t.m_display.m_presents;
    ASSERT_TRUE(t.Command(kCmdHideSignal, 0));
    EXPECT_EQ(t.m_display.m_presents, presents + 1) << "the hidden face leaves the screen at once";
    EXPECT_EQ(front.Count(kBlack), kWidth * kHeight);
  }
  ASSERT_TRUE(Show(t, "m15"));  // no fifth emotion in this task
  EXPECT_EQ(front.Count(kBlack), kWidth * kHeight);
}

TEST(IdentificationDrawing, PreviewsOfBothTasks) {
  struct Preview {
    const char* task;
    const char* code;
    int x, y;
  };
  for (const Preview& p : {Preview{"IFE", "w27", 100 - 60, 75 - 68}, Preview{"IAE", "m12L", 100 - 30, 75 - 34}}) {
    LoadedTask t(p.task);
    ASSERT_TRUE(t.Loaded());
    MemoryDC dc(200, 150);
    char code[kTrialCodeSize];
    Slot(p.code, code);
    ASSERT_TRUE(t.Command(kCmdDrawStimulus, reinterpret_cast<intptr_t>(&dc), reinterpret_cast<intptr_t>(code)));
    EXPECT_EQ(Mismatches(dc, Picture(p.code, false), p.x, p.y), 0) << p.task;
    EXPECT_EQ(dc.Count(kBlack), 200 * 150 - 60 * 68) << p.task;
  }
}

// IFE: a face of the part's emotion, one of another, the part's again,
// each until the space key; men in even parts, women in odd ones.
TEST(IdentificationDemonstration, FacesOfThePartsEmotion) {
  for (int round = 0; round < 4; ++round) {
    for (const int part : {2, 5}) {
      for (const bool stopAfterFirst : {true, false}) {
        LoadedTask t("IFE", kWidth, kHeight);
        ASSERT_TRUE(t.Loaded());
        ASSERT_TRUE(t.Setup(1, part));
        t.m_host.m_spaceChange = stopAfterFirst ? 1 : 0;
        ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
        const std::string face = FaceAt(t.m_display.Surface(kSurfaceFront), kFaceLeft, kFaceTop, 8);
        ASSERT_EQ(face.size(), 3u);
        EXPECT_EQ(face[0], part % 2 == 0 ? 'm' : 'w');
        EXPECT_EQ(face[2], '1' + part) << "first and last: the part's emotion";
        EXPECT_GE(t.m_host.m_now, 1000u);
        EXPECT_EQ(t.m_display.m_cursorShown, 1);
      }
    }
  }
}

// IAE: the part's emotion looking left, straight and right side by side.
TEST(IdentificationDemonstration, ThreeGazesSideBySide) {
  LoadedTask t("IAE", kWidth, kHeight);
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(1, 1));
  ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
  const MemoryDC& front = t.m_display.Surface(kSurfaceFront);
  const std::string left = FaceAt(front, kCentreX - 360, kFaceTop, 4, "L");
  const std::string straight = FaceAt(front, kCentreX - 120, kFaceTop, 4);
  const std::string right = FaceAt(front, kCentreX + 120, kFaceTop, 4, "R");
  ASSERT_EQ(left.size(), 4u);
  EXPECT_EQ(left.substr(0, 3), straight);
  EXPECT_EQ(right.substr(0, 3), straight);
  EXPECT_EQ(straight[0], 'w') << "part 2: a woman";
  EXPECT_EQ(straight[2], '2') << "sad";
}

}  // namespace

}  // namespace qel
