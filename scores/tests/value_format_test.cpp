#include <gtest/gtest.h>

#include "scores/ValueFormat.h"

namespace qel {
namespace {

TEST(ValueFormat, OnlyOneDoubleConversionIsUsed) {
  struct Case {
    const char* format;
    bool usable;
    const char* printed;  // of 12.3456
  };
  const Case cases[] = {
      {"%.2f", true, "12.35"},
      {"%6.1f", true, "  12.3"},
      {"%.0f ms", true, "12 ms"},
      {"%lf", true, "12.345600"},
      {"%g", true, "12.3456"},
      {"%.1f%%", true, "12.3%"},
      {"%d", false, "12.35"},
      {"%s", false, "12.35"},
      {"%n", false, "12.35"},
      {"%.2f %.2f", false, "12.35"},
      {"no conversion", false, "12.35"},
      {"", false, "12.35"},
      {"%", false, "12.35"},
      {"%*.2f", false, "12.35"},
      {"%999f", false, "12.35"},
      {"%.2Lf", false, "12.35"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValueFormat(c.format), c.usable) << c.format;
    EXPECT_EQ(FormatValue(12.3456, c.format), c.printed) << c.format;
  }
}

TEST(ValueFormat, NoValueIsADash) {
  EXPECT_EQ(FormatValueOrDash(kNoValue, "%.3f"), "-");
  EXPECT_EQ(FormatValueOrDash(0.0, "%.1f"), "0.0");
  EXPECT_EQ(FormatValue(1e300, "%99.99f").size(), 401u);  // no overflow of the text
}

}  // namespace
}  // namespace qel
