#include <gtest/gtest.h>

#include "include/qel/DateTime.h"

namespace qel {

namespace {

TEST(DateTime, EpochAndKnownDays) {
  EXPECT_DOUBLE_EQ(QelDateTime::FromDate(1899, 12, 30).value, 0.0);
  EXPECT_DOUBLE_EQ(QelDateTime::FromDate(1900, 1, 1).value, 2.0);
  EXPECT_DOUBLE_EQ(QelDateTime::FromDate(2000, 1, 1).value, 36526.0);
  EXPECT_DOUBLE_EQ(QelDateTime::FromDate(2000, 1, 1, 12, 0, 0).value, 36526.5);
}

TEST(DateTime, NegativeDatesCountTheFractionForward) {
  // 29 December 1899 06:00 is stored as -1.25.
  const QelDateTime d = QelDateTime::FromDate(1899, 12, 29, 6, 0, 0);
  EXPECT_DOUBLE_EQ(d.value, -1.25);
  int y, m, day, h, mi, s;
  ASSERT_TRUE(d.Split(&y, &m, &day, &h, &mi, &s));
  EXPECT_EQ(y, 1899);
  EXPECT_EQ(m, 12);
  EXPECT_EQ(day, 29);
  EXPECT_EQ(h, 6);
}

TEST(DateTime, SplitRoundTripsAcrossCenturies) {
  for (int y : {100, 1600, 1899, 1900, 1904, 2000, 2024, 9999}) {
    for (int m : {1, 2, 12}) {
      const QelDateTime d = QelDateTime::FromDate(y, m, m == 2 ? 28 : 31, 23, 59, 59);
      ASSERT_TRUE(d.IsValid()) << y << "-" << m;
      int yy, mm, dd, h, mi, s;
      ASSERT_TRUE(d.Split(&yy, &mm, &dd, &h, &mi, &s));
      EXPECT_EQ(yy, y);
      EXPECT_EQ(mm, m);
      EXPECT_EQ(dd, m == 2 ? 28 : 31);
      EXPECT_EQ(h, 23);
      EXPECT_EQ(s, 59);
    }
  }
}

TEST(DateTime, InvalidInputs) {
  EXPECT_FALSE(QelDateTime::FromDate(2023, 2, 29).IsValid());
  EXPECT_TRUE(QelDateTime::FromDate(2024, 2, 29).IsValid());
  EXPECT_FALSE(QelDateTime::FromDate(2024, 13, 1).IsValid());
  EXPECT_TRUE(QelDateTime::Null().IsNull());
  EXPECT_FALSE(QelDateTime::FromValue(3.0e6).IsValid());
}

TEST(AgeInYears, WholeDaysOverYearLength) {
  const QelDateTime birth = QelDateTime::FromDate(1950, 3, 1);
  double age = -1.0;
  ASSERT_TRUE(QelAgeInYears(birth, QelDateTime::FromValue(birth.value + 100 * 365.25), &age));
  EXPECT_DOUBLE_EQ(age, 100.0);
  // The fraction of a day is cut off.
  ASSERT_TRUE(QelAgeInYears(birth, QelDateTime::FromValue(birth.value + 365.9), &age));
  EXPECT_DOUBLE_EQ(age, 365.0 / 365.25);
}

TEST(AgeInYears, RefusesSameOrEarlierOrInvalidDates) {
  const QelDateTime birth = QelDateTime::FromDate(1950, 3, 1);
  double age = 5.0;
  EXPECT_FALSE(QelAgeInYears(birth, birth, &age));
  EXPECT_EQ(age, 0.0);
  EXPECT_FALSE(QelAgeInYears(birth, QelDateTime::FromDate(1940, 1, 1), &age));
  EXPECT_FALSE(QelAgeInYears(QelDateTime::Null(), QelDateTime::FromDate(2000, 1, 1), &age));
}

}  // namespace

}  // namespace qel
