// The project's users and testee codes: kept in order ignoring case, found
// exactly; and the texts that compare without regard to case.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "project/ProjectData.h"
#include "project/TesteeTexts.h"
#include "project/TextCase.h"
#include "project/tests/CacheTestSupport.h"

namespace qel {

namespace test {
namespace {

CUserRecord User(const std::string& id, const std::string& first = "", const std::string& surname = "") {
  CUserRecord user;
  user.m_id = id;
  user.m_firstName = first;
  user.m_surname = surname;
  return user;
}

std::vector<std::string> UserIds(const CProjectData& data) {
  std::vector<std::string> ids;
  for (int i = 0; i < data.GetUserCount(); ++i) ids.push_back(data.GetUserId(i));
  return ids;
}

struct OrderCase {
  const char* name;
  std::vector<std::string> added;  // in order of arrival
  std::vector<std::string> kept;
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

const OrderCase kOrderCases[] = {
    {"CaseIgnoredEqualKeysKeepArrival", {"bob", "Alice", "alice"}, {"Alice", "alice", "bob"}},
    {"LowerCaseFirstStaysFirst", {"alice", "Alice", "bob"}, {"alice", "Alice", "bob"}},
    {"AscendingArrival", {"a1", "b2", "c3"}, {"a1", "b2", "c3"}},
    {"DescendingArrival", {"c3", "B2", "a1"}, {"a1", "B2", "c3"}},
    {"LongerKeyAfterItsPrefix", {"Anna", "ann", "ANNABEL"}, {"ann", "Anna", "ANNABEL"}},
    {"LatinOneLettersFolded", {"\xC3\xA9mile", "Zoe", "\xC3\x89MILE"}, {"Zoe", "\xC3\xA9mile", "\xC3\x89MILE"}},
    {"DigitsBeforeLetters", {"x", "10", "9"}, {"10", "9", "x"}},
};

class UserOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(UserOrderTest, UsersAreKeptAscendingIgnoringCase) {
  FakeLoadedTasks tasks;
  CProjectData data(tasks);
  for (const std::string& id : GetParam().added) {
    const CUserRecord user = User(id);
    data.AddUser(&user);
  }
  EXPECT_EQ(UserIds(data), GetParam().kept);
}

TEST_P(UserOrderTest, TesteeCodesAreKeptAscendingIgnoringCase) {
  FakeLoadedTasks tasks;
  CProjectData data(tasks);
  for (const std::string& code : GetParam().added) data.AddTesteeCode(code, nullptr, nullptr, QelDateTime::Null());
  std::vector<std::string> codes;
  ASSERT_EQ(data.GetTesteeCodes(&codes, nullptr, nullptr, nullptr), static_cast<int>(GetParam().kept.size()));
  EXPECT_EQ(codes, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, UserOrderTest, testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UsersTest, LookUpsCompareTheIdExactly) {
  FakeLoadedTasks tasks;
  CProjectData data(tasks);
  CUserRecord alice = User("Alice", "Alice", "Smith");
  alice.m_registered = Day(2020, 5, 1);
  data.AddUser(&alice);

  EXPECT_TRUE(data.IsUser("Alice"));
  EXPECT_FALSE(data.IsUser("alice"));
  EXPECT_FALSE(data.IsUser(nullptr));
  EXPECT_EQ(data.FindUser("ALICE"), nullptr);
  EXPECT_EQ(data.GetUserSurname("Alice"), "Smith");
  EXPECT_EQ(data.GetUserFirstName("alice"), "");
  EXPECT_DOUBLE_EQ(data.GetUserRegistered("Alice").value, Day(2020, 5, 1).value);
  EXPECT_TRUE(data.GetUserRegistered("Bob").IsNull());
  EXPECT_EQ(data.GetUserId(1), "");
  EXPECT_EQ(data.GetUserId(-1), "");
}

TEST(UsersTest, NullUserChangesNothing) {
  FakeLoadedTasks tasks;
  CProjectData data(tasks);
  const CUserRecord bob = User("bob");
  data.AddUser(&bob);
  EXPECT_EQ(data.AddUser(nullptr), 1);
  EXPECT_EQ(UserIds(data), std::vector<std::string>{"bob"});
}

TEST(UsersTest, SetUserReplacesTheExactIdOrAdds) {
  FakeLoadedTasks tasks;
  CProjectData data(tasks);
  const CUserRecord first = User("alice", "Al", "Old");
  data.AddUser(&first);
  EXPECT_TRUE(data.SetUser(User("alice", "Alice", "New")));
  EXPECT_EQ(data.GetUserCount(), 1);
  EXPECT_EQ(data.GetUserSurname("alice"), "New");

  // Another case of the Id is another user; it goes after the equal key.
  EXPECT_TRUE(data.SetUser(User("ALICE", "A", "Upper")));
  EXPECT_EQ(UserIds(data), (std::vector<std::string>{"alice", "ALICE"}));
  EXPECT_EQ(data.GetUserSurname("alice"), "New");
}

TEST(TesteeCodesTest, NullTextsAreStoredEmptyAndOnlyValidDatesKept) {
  FakeLoadedTasks tasks;
  CProjectData data(tasks);
  data.AddTesteeCode("B", "comment", nullptr, Invalid());
  data.AddTesteeCode("A", nullptr, "described", Day(2021, 3, 4));
  data.AddTesteeCode("C", nullptr, nullptr, QelDateTime::Null());

  std::vector<std::string> codes{"stale"}, comments{"stale"}, descriptions;
  std::vector<QelDateTime> dates;
  ASSERT_EQ(data.GetTesteeCodes(&codes, &comments, &descriptions, &dates), 3);
  EXPECT_EQ(codes, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(comments, (std::vector<std::string>{"", "comment", ""}));
  EXPECT_EQ(descriptions, (std::vector<std::string>{"described", "", ""}));
  EXPECT_TRUE(dates[0].IsValid());
  EXPECT_TRUE(dates[1].IsNull());  // an invalid date is not kept
  EXPECT_TRUE(dates[2].IsNull());
  EXPECT_EQ(data.GetTesteeCode(0), "A");
  EXPECT_EQ(data.GetTesteeCode(3), "");
}

struct FoldCase {
  const char* text;
  const char* upper;
};

const FoldCase kFoldCases[] = {
    {"smith", "SMITH"},
    {"a_b[]", "A_B[]"},
    {"\xC3\xBC\x62\x65r",
     "\xC3\x9C"
     "BER"},                                                           // über
    {"\xC3\xB7\xC3\xBF", "\xC3\xB7\xC5\xB8"},                          // ÷ stays, ÿ -> Ÿ
    {"\xC5\x82\xC3\xB3\x64\xC5\xBA", "\xC5\x81\xC3\x93\x44\xC5\xB9"},  // łódź -> ŁÓDŹ
    {"\xC4\xB1i", "\xC4\xB1I"},                                        // dotless i has no one-letter partner
    {"\xE2\x82\xAC", "\xE2\x82\xAC"},                                  // € (three bytes) as it stands
    {"\xFF\xC3", "\xFF\xC3"},                                          // not UTF-8: bytes as they stand
};

TEST(TextCaseTest, LettersFoldToUpperCase) {
  for (const FoldCase& c : kFoldCases) EXPECT_EQ(ToUpperCase(c.text), c.upper) << c.text;
}

TEST(TextCaseTest, CompareIgnoresCaseOnly) {
  EXPECT_EQ(CompareNoCase("Alice", "aLICE"), 0);
  EXPECT_LT(CompareNoCase("alice", "Bob"), 0);
  EXPECT_GT(CompareNoCase("bob", "ALICE"), 0);
  EXPECT_LT(CompareNoCase("ann", "Anna"), 0);
}

TEST(TesteeTextsTest, HandednessAndSexTexts) {
  EXPECT_EQ(FormatHandednessSex(0, 0), "R, Male");
  EXPECT_EQ(FormatHandednessSex(1, 1), "L, Female");
  EXPECT_EQ(FormatHandednessSex(2, 1), "A, Female");
  EXPECT_EQ(FormatHandednessSex(3, 2), ", ");
  EXPECT_EQ(FormatHandednessSex(-1, -1), ", ");
  EXPECT_EQ(GetHandednessCode(2), "A");
  EXPECT_EQ(GetSexName(2), "");
}

}  // namespace
}  // namespace test

}  // namespace qel
