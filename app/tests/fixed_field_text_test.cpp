// Setting texts with fixed-width number fields, and the system settings table.
#include <gtest/gtest.h>

#include "app/settings/FixedFieldText.h"
#include "app/settings/SystemSettings.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

namespace {

TEST(WindowRectText, DefaultGeometryRestoresExactly) {
  const QelWindowRect def;
  const std::string text = FormatWindowRectText(def);
  EXPECT_EQ(text, "00010 00010 00500 00400 00100 00100");
  EXPECT_EQ(text.size(), kWindowRectTextLength);
  const QelWindowRect back = ParseWindowRectText(text);
  EXPECT_EQ(back.left, 10);
  EXPECT_EQ(back.bottom, 400);
  EXPECT_EQ(back.pane2, 100);
}

struct RectCase {
  const char* name;
  std::string text;
  QelWindowRect rect;
};

class WindowRectTexts : public ::testing::TestWithParam<RectCase> {};

TEST_P(WindowRectTexts, ReadByPosition) {
  const QelWindowRect r = ParseWindowRectText(GetParam().text);
  const QelWindowRect& e = GetParam().rect;
  EXPECT_EQ(r.left, e.left);
  EXPECT_EQ(r.top, e.top);
  EXPECT_EQ(r.right, e.right);
  EXPECT_EQ(r.bottom, e.bottom);
  EXPECT_EQ(r.pane1, e.pane1);
  EXPECT_EQ(r.pane2, e.pane2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowRectTexts,
    ::testing::Values(
        RectCase{"Stored", "00020 00030 01044 00800 00250 00300", {20, 30, 1044, 800, 250, 300}},
        RectCase{"ThirtyFourCharactersGiveTheDefaults", "00020 00030 01044 00800 00250 0030", QelWindowRect{}},
        RectCase{"Empty", "", QelWindowRect{}},
        RectCase{"NegativeOnASecondDisplay", "-1910 00010 -0100 00700 00100 00100", {-1910, 10, -100, 700, 100, 100}},
        RectCase{
            "NumbersEndAtTheFirstNonDigit", "12x45 00010 00500 00400 00100 00100 extra", {12, 10, 500, 400, 100, 100}},
        RectCase{"NoNumberIsZero", "abcde 00010 00500 00400 00100 00100", {0, 10, 500, 400, 100, 100}},
        RectCase{"HugeDigitsStayInRange",
                 std::string(35, '9'),
                 {2147483647, 2147483647, 2147483647, 2147483647, 2147483647, 99999}}),
    [](const ::testing::TestParamInfo<RectCase>& info) { return info.param.name; });

TEST(WindowRectText, WideValuesKeepTheirFieldWidth) {
  QelWindowRect r;
  r.left = -25000;
  r.right = 123456;
  const std::string text = FormatWindowRectText(r);
  EXPECT_EQ(text, "-9999 00010 99999 00400 00100 00100");
  EXPECT_EQ(ParseWindowRectText(text).top, 10);
}

TEST(PageMarginsText, TwentyNineCharactersAreRead) {
  QelPageMargins m;
  m.left = 2000;
  m.top = 1500;
  m.right = 500;
  m.bottom = 0;
  m.orientation = 2;
  const std::string text = FormatPageMarginsText(m);
  EXPECT_EQ(text, "02000 01500 00500 00000 00002");
  ASSERT_EQ(text.size(), kPageMarginsTextLength);
  const QelPageMargins back = ParsePageMarginsText(text);
  EXPECT_EQ(back.left, 2000);
  EXPECT_EQ(back.bottom, 0);
  EXPECT_EQ(back.orientation, 2);
  const QelPageMargins cut = ParsePageMarginsText(text.substr(0, 28));
  EXPECT_EQ(cut.left, 1000);
  EXPECT_EQ(cut.top, 1000);
  EXPECT_EQ(cut.right, 1000);
  EXPECT_EQ(cut.bottom, 1000);
  EXPECT_EQ(cut.orientation, 1);
}

TEST(SystemSettingsTable, NamesAndDefaults) {
  const QelSystemSetting* s = SystemSettings();
  const char* names[] = {"ButtonType", "ButtonInd", "ScreenInd", "SoundInd", "SignalSync", "Language"};
  for (int i = 0; i < kSystemSettingCount; ++i) {
    EXPECT_STREQ(s[i].entry, names[i]);
    EXPECT_EQ(s[i].defaultValue, i == 0 ? 1 : 0);
  }
  g_Language = 3;
  g_ButtonType = kButtonTypeKeyboard;
  ResetSystemSettings();
  EXPECT_EQ(g_Language, 0);
  EXPECT_EQ(g_ButtonType, 1);
}

}  // namespace

}  // namespace qel
