// Texts that are not valid UTF-8 are read as Windows-1252, never dropped.
#include <gtest/gtest.h>

#include "common/TextEncoding.h"

namespace qel {

namespace {

TEST(TextEncoding, ValidUtf8StaysAndEverythingElseIsReadAsWindows1252) {
  struct Case {
    const char* name;
    std::string in;
    bool valid;
    std::string shown;
  };
  const Case cases[] = {
      {"ASCII", "Tapping", true, "Tapping"},
      {"UTF-8",
       "T\xC3\xA2"
       "che \xE2\x82\xAC \xF0\x9F\x99\x82",
       true,
       "T\xC3\xA2"
       "che \xE2\x82\xAC \xF0\x9F\x99\x82"},
      {"Windows-1252 name",
       "T\xE2"
       "che",
       false,
       "T\xC3\xA2"
       "che"},
      {"euro and quotes", "\x80 \x93x\x94", false, "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"},
      {"unassigned byte", "a\x81z", false, "a\xC2\x81z"},
      {"overlong slash", "\xC0\xAF", false, "\xC3\x80\xC2\xAF"},
      {"surrogate", "\xED\xA0\x80", false, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", false, "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
      {"cut short", "ab\xE2\x82", false, "ab\xC3\xA2\xE2\x80\x9A"},
      {"empty", "", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsValidUtf8(c.in), c.valid);
    EXPECT_EQ(TextAsUtf8(c.in), c.shown);
    EXPECT_TRUE(IsValidUtf8(TextAsUtf8(c.in)));
  }
}

TEST(TextEncoding, EveryByteHasACharacter) {
  for (int b = 1; b < 256; ++b) {
    const std::string shown = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
    EXPECT_FALSE(shown.empty()) << b;
    EXPECT_TRUE(IsValidUtf8(shown)) << b;
  }
}

}  // namespace

}  // namespace qel
