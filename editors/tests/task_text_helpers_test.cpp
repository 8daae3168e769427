// The texts of a task's keys and feedback by language, response codes in
// letters, and RTF wrapping.
#include <gtest/gtest.h>

#include "app/model/ExpModelTask.h"
#include "editors/TaskTextHelpers.h"

namespace qel {

namespace {

TEST(ResponseCodeText, LettersAndNumbers) {
  struct Case {
    uint32_t code;
    int hand;
    bool letters;
    const char* text;
  } cases[] = {
      {7, 0, true, "LRV"}, {7, 0, false, "7"}, {3, 0, true, "LR"}, {5, 0, true, "LV"}, {0, 0, true, ""},
      {2, 1, true, "L"},   {1, 1, true, "R"},  {2, 0, true, "R"},  {4, 1, true, "V"},  {8, 0, true, ""},
      {4294967295u, 0, false, "4294967295"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResponseCodeToText(c.code, c.hand, c.letters), c.text) << c.code;
}

TEST(TaskTexts, KeysDescriptionIds) {
  struct Case {
    uint32_t type, flags;
    int language;
    uint32_t id;
  } cases[] = {
      {0, 0x40, 1, 192},     {1, 0x40, 2, 308},    {2, 0x40, 3, 325},  {0, 0, 0, 191},   {0, 0, 2, 304},
      {0, 0, 3, 321},        {1, 0, 0, 194},       {1, 0, 2, 305},     {1, 0, 3, 322},   {2, 0x100, 1, 193},
      {2, 0x100, 2, 306},    {2, 0x100, 3, 323},   {2, 0, 1, 255},     {2, 0, 2, 4},     {2, 0, 3, 324},
      {0x70002, 0, 0, 255},  {3, 0, 0, 0},         {2, 0, 7, 255},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeysMappingTextId(c.type, c.flags, c.language), c.id) << c.type << " " << c.flags << " " << c.language;
  }
}

TEST(TaskTexts, FeedbackDescriptionIds) {
  struct Case {
    uint32_t flags, fbk;
    int language;
    uint32_t id;
  } cases[] = {
      {0x10000, 0, 0, 206},       {0x10000, 0, 2, 310}, {0x10000, 0, 3, 318}, {0x30000, 1, 1, 207},
      {0x30000, 0x30001, 2, 309}, {0x20000, 1, 3, 317}, {0x20000, 2, 0, 205}, {0x20000, 2, 2, 313},
      {0x20000, 2, 3, 320},       {0x20000, 5, 0, 0},   {0, 1, 0, 209},       {0, 2, 2, 311},
      {0, 0, 3, 319},
  };
  for (const Case& c : cases) EXPECT_EQ(FeedbackTextId(c.flags, c.fbk, c.language), c.id) << c.flags << " " << c.fbk;
}

TEST(TaskTexts, DocumentsFromTheLoader) {
  const TextLoader load = [](uint32_t id) { return id == 192 ? std::string("Speak") : "{\\rtf1 text " + std::to_string(id) + "}"; };
  EXPECT_EQ(GetKeysMappingText(nullptr, 0, load), "{\\rtf1}");
  CExpModelTask task;
  task.w.TaskType = 2;
  EXPECT_EQ(GetKeysMappingText(&task, 2, load), "{\\rtf1 text 4}");
  task.w.TaskFlags = 0x40;
  EXPECT_EQ(GetKeysMappingText(&task, 0, load), "{\\rtf1Speak}");  // wrapped after loading
  task.w.TaskType = 3;
  task.w.TaskFlags = 0;
  EXPECT_EQ(GetKeysMappingText(&task, 0, load), "{\\rtf1}");
  task.w.TaskFbk = 1;
  EXPECT_EQ(GetFeedbackText(&task, 0, load), "{\\rtf1 text 209}");
  const TextLoader missing = [](uint32_t) { return std::string(); };
  EXPECT_EQ(GetFeedbackText(&task, 0, missing), "{\\rtf1}");
}

TEST(TaskTexts, RtfWrapping) {
  EXPECT_EQ(BuildRtfText("abc", false), "{\\rtf1abc}");
  const std::string program = BuildRtfText("abc", true);
  EXPECT_EQ(program.rfind("{\\rtf1\\ansi\\ansicpg1251", 0), 0u);
  EXPECT_NE(program.find("{\\colortbl ;\\red255\\green0\\blue0;}"), std::string::npos);
  EXPECT_EQ(program.substr(program.size() - 5), " abc}");
  std::string text = "x";
  MakeRtfText(text, false);
  EXPECT_EQ(text, "{\\rtf1x}");
}

}  // namespace

}  // namespace qel
