// Number, date and time texts, RTF builders, languages and icon positions.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/text/DateTimeText.h"
#include "app/text/ImageIndex.h"
#include "app/text/Languages.h"
#include "app/text/NumberText.h"
#include "app/text/RtfString.h"

namespace qel {

namespace {

struct SizeCase {
  uint64_t value;
  bool binary;
  const char* text;
};

class SizeTexts : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTexts, GroupsOfThree) { EXPECT_EQ(FormatSize(GetParam().value, GetParam().binary), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Cases, SizeTexts,
                         ::testing::Values(SizeCase{1536, true, "1,512"}, SizeCase{5, false, "5"},
                                           SizeCase{1000000, false, "1,000,000"}, SizeCase{0, false, "0"},
                                           SizeCase{999, false, "999"}, SizeCase{1000, false, "1,000"},
                                           SizeCase{1005, false, "1,005"}, SizeCase{1000005, false, "1,000,005"},
                                           SizeCase{1048576, true, "1,000,000"}, SizeCase{1023, true, "1023"},
                                           SizeCase{4294967295u, false, "4294,967,295"},
                                           SizeCase{18446744073709551615u, false, "18446744073709,551,615"}));

struct ThousandsCase {
  uint64_t value;
  const char* text;
};

class ThousandsTexts : public ::testing::TestWithParam<ThousandsCase> {};

TEST_P(ThousandsTexts, AtMostThreeGroups) { EXPECT_EQ(FormatThousands(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Cases, ThousandsTexts,
                         ::testing::Values(ThousandsCase{1234, "1,234"}, ThousandsCase{5, "5"},
                                           ThousandsCase{4294967295u, "4294,967,295"},
                                           ThousandsCase{1000000, "1,000,000"}, ThousandsCase{100200, "100,200"},
                                           ThousandsCase{0, "0"}));

const QelDateTime kMoment = QelDateTime::FromDate(2026, 3, 7, 9, 5, 4);
const QelDateTime kMidnight = QelDateTime::FromDate(1999, 12, 31);
QelDateTime Invalid() {
  QelDateTime d;
  d.value = 5e7;
  d.status = QelDateTime::kInvalid;
  return d;
}

TEST(DateTexts, ValidDatesAndTimes) {
  EXPECT_EQ(FormatDateDots(kMoment), "2026.03.07");
  EXPECT_EQ(FormatDateDay(kMoment, true), "07.03.2026");
  EXPECT_EQ(FormatTimeColons(kMoment, true), "09:05:04");
  EXPECT_EQ(FormatTimeColons(kMoment, false), "09:05");
  EXPECT_EQ(FormatTimeOrEmpty(kMoment, true), "09:05:04");
  EXPECT_EQ(FormatDateDots(QelDateTime::FromDate(100, 1, 1)), "0100.01.01");
  EXPECT_TRUE(IsDateValid(kMoment));
  EXPECT_TRUE(IsTimeValid(kMoment));
}

TEST(DateTexts, NullAndInvalidValuesGivePlaceholders) {
  for (const QelDateTime& d : {QelDateTime::Null(), Invalid()}) {
    EXPECT_EQ(FormatDateDots(d), "____.__.__");
    EXPECT_EQ(FormatDateDay(d, false), "__.__.____");
    EXPECT_EQ(FormatDateDay(d, true), "");
    EXPECT_EQ(FormatTimeColons(d, true), "__:__:__");
    EXPECT_EQ(FormatTimeColons(d, false), "__:__");
    EXPECT_EQ(FormatTimeOrEmpty(d, false), "__:__:__");
    EXPECT_EQ(FormatTimeOrEmpty(d, true), "");
    EXPECT_EQ(FormatDateTimeLocale(d), "");
    EXPECT_FALSE(IsDateValid(d));
    EXPECT_FALSE(IsTimeValid(d));
  }
  // A value marked valid but outside the calendar cannot be split.
  QelDateTime outside;
  outside.value = 1e9;
  outside.status = QelDateTime::kValid;
  EXPECT_FALSE(IsDateValid(outside));
  EXPECT_EQ(FormatDateDots(outside), "____.__.__");
}

class LocaleText : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("LC_ALL");
    m_hadOld = old != nullptr;
    if (old) m_old = old;
    setenv("LC_ALL", "C.UTF-8", 1);
  }
  void TearDown() override {
    if (m_hadOld) setenv("LC_ALL", m_old.c_str(), 1);
    else unsetenv("LC_ALL");
  }

 private:
  bool m_hadOld = false;
  std::string m_old;
};

TEST_F(LocaleText, DateAndTimeInTheUsersLocaleWithAFullYear) {
  EXPECT_EQ(FormatDateTimeLocale(kMoment), "03/07/2026 09:05:04");
  EXPECT_EQ(FormatDateTimeLocale(kMidnight), "12/31/1999");                   // no time at midnight
  EXPECT_EQ(FormatDateTimeLocale(QelDateTime::FromValue(0.75)), "18:00:00");  // day 0: the time only
  EXPECT_EQ(FormatDateTimeLocale(QelDateTime::FromDate(9999, 12, 31, 23, 59, 59)), "12/31/9999 23:59:59");
}

TEST(NowText, TheCurrentDateIsValid) {
  const QelDateTime now = CurrentLocalDateTime();
  EXPECT_TRUE(IsDateValid(now));
  int y, m, d;
  now.Split(&y, &m, &d);
  EXPECT_GE(y, 2024);
}

TEST(Rtf, EmptyAndParagraph) {
  CRtfString rtf;
  rtf.SetEmpty();
  EXPECT_EQ(rtf.Text(), "{\\rtf1}");
  rtf.SetParagraph("Title", 12, 0, true, true);
  EXPECT_EQ(rtf.Text(), "{\\rtf1\\fs24\\b\\qc Title\\par}");
  rtf.SetParagraph("Body", 9, 2, false, false);
  EXPECT_EQ(rtf.Text(), "{\\rtf1\\fs18 Body\\par\\par\\par}");
}

struct EscapeCase {
  const char* text;
  const char* rtf;
};

class RtfEscapes : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(RtfEscapes, SpecialCharacters) { EXPECT_EQ(RtfEscape(GetParam().text), GetParam().rtf); }

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfEscapes,
    ::testing::Values(EscapeCase{"plain text", "plain text"}, EscapeCase{"a\\b{c}d", "a\\\\b\\{c\\}d"},
                      EscapeCase{"\\par", "\\\\par"}, EscapeCase{"{\\rtf1}", "\\{\\\\rtf1\\}"},
                      EscapeCase{"caf\xC3\xA9", "caf\\u233?"}, EscapeCase{"\xE2\x82\xAC", "\\u8364?"},
                      EscapeCase{"\xEF\xBF\xBD", "\\u-3?"}, EscapeCase{"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},
                      EscapeCase{"bad \xE9 byte", "bad \\'e9 byte"}, EscapeCase{"cut \xC3", "cut \\'c3"}));

TEST(Rtf, ParagraphTextIsEscaped) {
  CRtfString rtf;
  rtf.SetParagraph("{x}", 10, 0, false, true);
  EXPECT_EQ(rtf.Text(), "{\\rtf1\\fs20\\qc \\{x\\}\\par}");
}

TEST(Languages, NamesAndHelpCodes) {
  EXPECT_STREQ(GetLanguageName(0), "Default");
  EXPECT_STREQ(GetLanguageName(1), "English");
  EXPECT_STREQ(GetLanguageName(2), "Dutch");
  EXPECT_STREQ(GetLanguageName(3), "Italian");
  EXPECT_EQ(GetLanguageName(4), nullptr);
  EXPECT_EQ(GetLanguageName(-1), nullptr);
  EXPECT_STREQ(GetLanguageHelpCode(0), "");
  EXPECT_STREQ(GetLanguageHelpCode(2), "DU");
  EXPECT_EQ(GetLanguageHelpCode(7), nullptr);
  int names = 0;
  while (names < 5 && GetLanguageName(names)) ++names;
  EXPECT_EQ(names, 4);  // what a language list shows
}

struct ImageCase {
  int kind;
  int index;
};

class ImageIndexes : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ImageIndexes, KindToIcon) { EXPECT_EQ(GetImageIndex(GetParam().kind), GetParam().index); }

INSTANTIATE_TEST_SUITE_P(Cases, ImageIndexes,
                         ::testing::Values(ImageCase{0, 66}, ImageCase{16, 82}, ImageCase{17, 82}, ImageCase{18, 82},
                                           ImageCase{19, 83}, ImageCase{35, 99}, ImageCase{38, 102}, ImageCase{39, 65},
                                           ImageCase{1000, 65}, ImageCase{-1, 65}));

}  // namespace

}  // namespace qel
