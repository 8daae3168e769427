// Testees in the project cache: their fields, look-ups by name and
// position, and their change history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/text/DateTimeText.h"
#include "project/ProjectData.h"
#include "project/tests/CacheTestSupport.h"

namespace qel {

namespace test {
namespace {

class TesteeCacheTest : public testing::Test {
 protected:
  FakeLoadedTasks tasks;
  CProjectData data{tasks};
};

TEST_F(TesteeCacheTest, FieldsAndTheirHandednessAndSexText) {
  ASSERT_NE(data.AddTestee("Ann", "Clinic", "Ann", "Smith", Day(1970, 1, 2), 1, 1, nullptr, Invalid()), nullptr);
  EXPECT_EQ(data.GetTesteeCodeOf("Ann"), "Clinic");
  EXPECT_EQ(data.GetTesteeFirstName("Ann"), "Ann");
  EXPECT_EQ(data.GetTesteeSurname("Ann"), "Smith");
  EXPECT_DOUBLE_EQ(data.GetTesteeDateBirth("Ann").value, Day(1970, 1, 2).value);
  EXPECT_EQ(data.GetTesteePreference("Ann"), 1);
  EXPECT_EQ(data.GetTesteeSex("Ann"), 1);
  EXPECT_EQ(data.GetTesteeDescription("Ann"), "");
  EXPECT_TRUE(data.GetTesteeDate("Ann").IsNull());  // an invalid date is not kept
  EXPECT_EQ(data.FindTestee("Ann")->GetHandednessSex(), "L, Female");

  ASSERT_TRUE(data.SetTestee("Ann", "Ward", "Anne", "Jones", Day(1971, 1, 2), 2, 0, "admin", Day(2024, 1, 1)));
  EXPECT_EQ(data.GetTesteeCount(), 1);
  EXPECT_EQ(data.FindTestee("Ann")->GetHandednessSex(), "A, Male");
  EXPECT_EQ(data.GetTesteeDescription("Ann"), "admin");
  EXPECT_TRUE(data.GetTesteeDate("Ann").IsValid());

  ASSERT_TRUE(data.SetTestee("Ben", "Ward", "Ben", "Brown", Day(1980, 1, 1), 0, 0, nullptr, QelDateTime::Null()));
  EXPECT_EQ(data.GetTesteeCount(), 2);
  EXPECT_STREQ(data.GetTesteeName(1), "Ben");
}

TEST_F(TesteeCacheTest, MissingTesteesAndPositionsGiveEmptyValues) {
  data.AddTestee("Ann", "Clinic", "Ann", "Smith", Day(1970, 1, 2), 1, 1, "d", Day(2024, 1, 1));
  data.SearchTestees(nullptr, nullptr);
  EXPECT_EQ(data.FindTestee("ann"), nullptr);
  EXPECT_EQ(data.FindTestee(nullptr), nullptr);
  EXPECT_EQ(data.GetTesteeName(1), nullptr);
  EXPECT_EQ(data.GetTesteeName(-1), nullptr);
  EXPECT_TRUE(data.IsTesteeSelected(0));
  EXPECT_FALSE(data.IsTesteeSelected(1));
  EXPECT_EQ(data.GetTesteeSurname("ANN"), "");
  EXPECT_EQ(data.GetTesteePreference(nullptr), 0);
  EXPECT_TRUE(data.GetTesteeDateBirth("Nobody").IsNull());
}

TEST_F(TesteeCacheTest, AddAppendsEvenForANameAlreadyCachedAndTheFirstIsFound) {
  data.AddTestee("Ann", "Clinic", "First", "Smith", Day(1970, 1, 2), 0, 0, nullptr, QelDateTime::Null());
  data.AddTestee("Ann", "Clinic", "Second", "Smith", Day(1970, 1, 2), 0, 0, nullptr, QelDateTime::Null());
  EXPECT_EQ(data.GetTesteeCount(), 2);
  EXPECT_EQ(data.GetTesteeFirstName("Ann"), "First");
}

TEST_F(TesteeCacheTest, ChangesBeginWithThePresentStateThenTheMostRecentEntry) {
  data.AddTestee("Ann", "Clinic", "Ann", "Smith", Day(1972, 3, 3), 1, 1, "carol", Day(2024, 3, 1, 12, 0));
  // The CFR load enters a history in ascending date order.
  EXPECT_EQ(data.AddTesteeChange("Ann", Day(1970, 1, 1), 0, "alice", Day(2024, 1, 1, 9, 0)), data.FindTestee("Ann"));
  EXPECT_NE(data.AddTesteeChange("Ann", Day(1971, 2, 2), 2, "bob", Day(2024, 2, 1, 10, 0)), nullptr);
  EXPECT_EQ(data.AddTesteeChange("Nobody", Day(1971, 2, 2), 2, "bob", Day(2024, 2, 1)), nullptr);

  std::vector<QelDateTime> changed, births;
  std::vector<std::string> users;
  std::vector<int32_t> preferences;
  ASSERT_EQ(data.GetTesteeChanges("Ann", &changed, &users, &births, &preferences), 3);
  EXPECT_EQ(users, (std::vector<std::string>{"carol", "bob", "alice"}));
  EXPECT_EQ(preferences, (std::vector<int32_t>{1, 2, 0}));
  EXPECT_DOUBLE_EQ(changed[0].value, Day(2024, 3, 1, 12, 0).value);
  EXPECT_DOUBLE_EQ(changed[1].value, Day(2024, 2, 1, 10, 0).value);
  EXPECT_DOUBLE_EQ(births[2].value, Day(1970, 1, 1).value);
  EXPECT_EQ(data.GetTesteeChangeCount("Ann"), 2);

  EXPECT_EQ(data.GetTesteeChanges("Nobody", &changed, &users, &births, &preferences), 0);
  EXPECT_TRUE(changed.empty());
  EXPECT_TRUE(users.empty());
  EXPECT_EQ(data.GetTesteeChanges(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
}

TEST_F(TesteeCacheTest, ChangeCountOverAllTesteesForANullName) {
  data.AddTestee("Ann", "c", "Ann", "A", Day(1970, 1, 1), 0, 0, nullptr, QelDateTime::Null());
  data.AddTestee("Ben", "c", "Ben", "B", Day(1970, 1, 1), 0, 0, nullptr, QelDateTime::Null());
  data.AddTesteeChange("Ann", Day(1970, 1, 1), 0, "u", Day(2024, 1, 1));
  data.AddTesteeChange("Ben", Day(1970, 1, 1), 0, "u", Day(2024, 1, 1));
  data.AddTesteeChange("Ben", Day(1970, 1, 1), 0, "u", Day(2024, 1, 2));
  EXPECT_EQ(data.GetTesteeChangeCount(nullptr), 3);
  EXPECT_EQ(data.GetTesteeChangeCount("Ben"), 2);
  EXPECT_EQ(data.GetTesteeChangeCount("Nobody"), 0);
}

TEST_F(TesteeCacheTest, HistoryEntriesAreFoundByTheTextOfTheirChangeDate) {
  data.AddTestee("Ann", "c", "Ann", "A", Day(1972, 1, 1), 0, 0, nullptr, QelDateTime::Null());
  data.AddTesteeChange("Ann", Day(1960, 1, 1), 2, "u", Invalid());
  data.AddTesteeChange("Ann", Day(1970, 1, 1), 1, "u", Day(2024, 1, 1, 9, 0));
  data.AddTesteeChange("Ann", Day(1971, 1, 1), 2, "u", Day(2024, 2, 1, 9, 0));
  data.AddTesteeChange("Ann", Day(1969, 1, 1), 0, "u", Day(2024, 1, 1, 9, 0));  // same text: the newest wins

  const std::string january = FormatDateTimeLocale(Day(2024, 1, 1, 9, 0));
  const std::string february = FormatDateTimeLocale(Day(2024, 2, 1, 9, 0));
  ASSERT_FALSE(january.empty());
  EXPECT_DOUBLE_EQ(data.GetTesteeChangeDate("Ann", january.c_str()).value, Day(1969, 1, 1).value);
  EXPECT_EQ(data.GetTesteeChangeNumber("Ann", january.c_str()), 0);
  EXPECT_DOUBLE_EQ(data.GetTesteeChangeDate("Ann", february.c_str()).value, Day(1971, 1, 1).value);
  EXPECT_EQ(data.GetTesteeChangeNumber("Ann", february.c_str()), 2);

  // An entry without a valid date never matches, not even the empty text.
  EXPECT_TRUE(data.GetTesteeChangeDate("Ann", "").IsNull());
  EXPECT_EQ(data.GetTesteeChangeNumber("Ann", ""), 0);
  EXPECT_TRUE(data.GetTesteeChangeDate("Ann", nullptr).IsNull());
  EXPECT_TRUE(data.GetTesteeChangeDate("Nobody", january.c_str()).IsNull());
}

}  // namespace
}  // namespace test

}  // namespace qel
