// What the Prosody task reads from a code, how it judges the emotion named
// against the emotion spoken, and where its buttons stand.
#include <gtest/gtest.h>

#include "tasks/plugins/pr/ProsodyButtons.h"
#include "tasks/plugins/pr/ProsodyJudging.h"

namespace qel {

namespace {

using namespace pr;

struct CodeCase {
  const char* code;
  bool valid;
  int32_t emotion;
  int sentence;
  uint32_t wave;
};

TEST(ProsodyCodes, EmotionLetterAndSentenceNumber) {
  const CodeCase cases[] = {
      {"H00", true, kHappy, 0, 201},      {"S11", true, kSad, 11, 224},       {"A07", true, kAngry, 7, 232},
      {"F05", true, kFrightened, 5, 242}, {"A7", true, kAngry, 7, 232},       {"a7", true, kAngry, 7, 232},
      {"h3", true, kHappy, 3, 204},       {"F12", true, kFrightened, 0, 237}, {"S25", true, kSad, 1, 214},
      {"H0012", true, kHappy, 0, 201},    {"X05", false, kNoEmotion, 0, 0},   {"H", false, kNoEmotion, 0, 0},
      {"", false, kNoEmotion, 0, 0},      {"H1a", false, kNoEmotion, 0, 0},   {"5H", false, kNoEmotion, 0, 0},
      {"H 5", false, kNoEmotion, 0, 0},
  };
  for (const CodeCase& c : cases) {
    SCOPED_TRACE(c.code);
    const SentenceCode s = ParseSentenceCode(c.code);
    EXPECT_EQ(s.valid, c.valid);
    EXPECT_EQ(s.emotion, c.emotion);
    EXPECT_EQ(s.sentence, c.sentence);
    EXPECT_EQ(SentenceWave(s), c.wave);
  }
  EXPECT_FALSE(ParseSentenceCode(nullptr).valid);
  EXPECT_EQ(DemonstrationWave(kHappy), 249u);
  EXPECT_EQ(DemonstrationWave(kFrightened), 252u);
  EXPECT_EQ(DemonstrationWave(kNoEmotion), 0u);
}

struct CategoryCase {
  const char* name;
  int32_t chosen;
  int32_t presented;
  int32_t category;
};

// The table of categories, rows the emotion named, columns the one spoken.
// The code "A7" (angry) named "Sad" is the cell sad / angry: 24. (An example
// of 20 for it would be the cell angry / sad: a sad sentence named angry.)
TEST(ProsodyJudgingTable, EmotionNamedAgainstEmotionSpoken) {
  const CategoryCase cases[] = {
      {"HappyRight", kHappy, kHappy, 10},
      {"SadRight", kSad, kSad, 11},
      {"AngryRight", kAngry, kAngry, 12},
      {"FrightenedRight", kFrightened, kFrightened, 13},
      {"SadForHappy", kSad, kHappy, 15},
      {"AngryForHappy", kAngry, kHappy, 16},
      {"FrightenedForHappy", kFrightened, kHappy, 17},
      {"HappyForSad", kHappy, kSad, 19},
      {"AngryForSad", kAngry, kSad, 20},
      {"FrightenedForSad", kFrightened, kSad, 21},
      {"HappyForAngry", kHappy, kAngry, 23},
      {"SadForAngryCodeA7", kSad, kAngry, 24},
      {"FrightenedForAngry", kFrightened, kAngry, 25},
      {"HappyForFrightened", kHappy, kFrightened, 27},
      {"SadForFrightened", kSad, kFrightened, 28},
      {"AngryForFrightened", kAngry, kFrightened, 29},
      {"NothingNamed", kNoEmotion, kHappy, 0},
      {"NothingSpoken", kSad, kNoEmotion, 0},
      {"NotAnEmotion", 5, kSad, 0},
  };
  for (const CategoryCase& c : cases) {
    EXPECT_EQ(IdentificationCategory(c.chosen, c.presented), c.category) << c.name;
  }
}

TEST(ProsodyJudgingTable, ConfusionsOfAnEmotionTakenTogether) {
  const struct {
    int32_t category;
    int32_t grouped;
  } cases[] = {{10, 10}, {13, 13}, {14, 14}, {15, 14}, {16, 14}, {17, 14}, {19, 18}, {21, 18},
               {23, 22}, {25, 22}, {27, 26}, {29, 26}, {30, 30}, {1, 1},   {7, 7},   {8, 8}};
  for (const auto& c : cases) EXPECT_EQ(GroupedCategory(c.category), c.grouped) << c.category;
  for (int32_t presented = kHappy; presented <= kFrightened; ++presented) {
    for (int32_t chosen = kHappy; chosen <= kFrightened; ++chosen) {
      if (chosen == presented) continue;
      EXPECT_EQ(GroupedCategory(IdentificationCategory(chosen, presented)), ErrorGroup(presented));
    }
  }
  EXPECT_EQ(ErrorGroup(kHappy), 14);
  EXPECT_EQ(ErrorGroup(kFrightened), 26);
}

// The buttons on a 1024 x 768 screen (centre 512, 384).
TEST(ProsodyButtonLayout, PositionsAndHits) {
  const ButtonLayout l = LayoutButtons(512, 384);
  const QelRect expected[kButtons] = {
      {456, 409, 569, 459},  // "==>": (cx - 56, cy + 25), 113 x 50
      {150, 539, 319, 614},  // Happy: (cx - 362, cy x 3 / 2 - 37), 169 x 75
      {335, 539, 504, 614},  // Sad: (cx - 177, ...)
      {520, 539, 689, 614},  // Angry: (cx + 8, ...)
      {705, 539, 874, 614},  // Frightened: (cx + 193, ...)
  };
  for (int b = 0; b < kButtons; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(l.rects[b].left, expected[b].left);
    EXPECT_EQ(l.rects[b].top, expected[b].top);
    EXPECT_EQ(l.rects[b].right, expected[b].right);
    EXPECT_EQ(l.rects[b].bottom, expected[b].bottom);
  }
  const struct {
    int x, y, button;
  } hits[] = {{456, 409, 0},  {568, 458, 0},  {569, 430, -1}, {500, 459, -1}, {150, 539, 1},
              {318, 613, 1},  {319, 600, -1}, {327, 580, -1}, {335, 560, 2},  {600, 613, 3},
              {874, 560, -1}, {873, 560, 4},  {512, 501, -1}, {0, 0, -1}};
  for (const auto& h : hits) EXPECT_EQ(HitButton(l, h.x, h.y), h.button) << h.x << ", " << h.y;
  const QelPoint start = PointerStart(512, 384);
  EXPECT_EQ(start.x, 512);
  EXPECT_EQ(start.y, 501);
  EXPECT_EQ(HitButton(l, start.x, start.y), -1) << "the pointer starts on no button";
}

TEST(ProsodyButtonLayout, LabelsByLanguage) {
  const char* const english[] = {"Happy", "Sad", "Angry", "Frightened"};
  const char* const dutch[] = {"Blij", "Droevig", "Boos", "Bang"};
  for (int b = 1; b <= 4; ++b) {
    EXPECT_STREQ(EmotionLabel(0, b), english[b - 1]);
    EXPECT_STREQ(EmotionLabel(1, b), dutch[b - 1]);
    EXPECT_STRNE(EmotionLabel(2, b), "");
  }
  EXPECT_STREQ(EmotionLabel(0, 0), "");
  EXPECT_STREQ(EmotionLabel(3, 1), "");
}

}  // namespace

}  // namespace qel
