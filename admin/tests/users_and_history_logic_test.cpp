// The window-free rules of the users list, the users comparison and the
// history dialogs, and what a testee edit changed (no X server).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "admin/HistoryProject.h"
#include "admin/TesteeForms.h"
#include "admin/UsersCompare.h"
#include "admin/tests/AdminTestProject.h"

namespace qel {

namespace {

CUserRecord User(const std::string& id, const std::string& surname) {
  CUserRecord user;
  user.m_id = id;
  user.m_password = "stored-" + id;
  user.m_firstName = "First " + id;
  user.m_surname = surname;
  user.m_institute = "Clinic";
  user.m_comment = "";
  user.m_type = 0;
  return user;
}

TEST(UsersCompareTest, NamesakesThatAreNotTheSameUserAreMarkedAndCounted) {
  const std::vector<CUserRecord> workstation = {User("anna", "Smith"), User("bert", "Brown"), User("carl", "Cole")};
  struct Case {
    const char* name;
    std::vector<CUserRecord> project;
    std::vector<UserMark> marks;
    int differences;
  };
  CUserRecord otherType = User("anna", "Smith");
  otherType.m_type = 2;
  otherType.m_registered = QelDateTime::FromDate(2020, 1, 1);
  CUserRecord otherPassword = User("bert", "Brown");
  otherPassword.m_password = "stored-elsewhere";
  CUserRecord otherInstitute = User("carl", "Cole");
  otherInstitute.m_institute = "Hospital";
  const Case cases[] = {
      {"the same users", {User("anna", "Smith"), User("bert", "Brown")}, {UserMark::kNone, UserMark::kNone}, 0},
      {"one surname differs", {User("anna", "Smith"), User("bert", "Black")}, {UserMark::kNone, UserMark::kDiffers}, 1},
      {"a user the workstation lacks", {User("dora", "Day")}, {UserMark::kMissing}, 0},
      {"type and registration are not compared", {otherType}, {UserMark::kNone}, 0},
      {"password and institute are", {otherPassword, otherInstitute}, {UserMark::kDiffers, UserMark::kDiffers}, 2},
      {"Ids compare exactly", {User("Anna", "Smith")}, {UserMark::kMissing}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CUsersComparison result = CompareUsers(c.project, workstation);
    EXPECT_EQ(result.marks, c.marks);
    EXPECT_EQ(result.differences, c.differences);
  }
  // Two differing namesakes count twice.
  const std::vector<CUserRecord> twice = {User("anna", "A"), User("anna", "B")};
  EXPECT_EQ(CompareUsers({User("anna", "C")}, twice).differences, 2);
  EXPECT_EQ(CompareUsers({}, workstation).marks.size(), 0u);
}

TEST(UsersCompareTest, TheUsersListsNoticeCaptionAndLookUp) {
  EXPECT_EQ(UsersListNotice(true, ""), kNoUsersNotice);
  EXPECT_EQ(UsersListNotice(false, ""), kDuplicateUserNotice);
  EXPECT_EQ(UsersListNotice(true, "anna"), kDuplicateUserNotice);
  EXPECT_EQ(UsersListNotice(false, "anna"), kDuplicateUserNotice);
  struct Shown {
    bool viewOnly;
    int count;
    bool found;
    bool shown;
  };
  for (const Shown& c : {Shown{true, 0, false, true}, Shown{true, 3, true, true}, Shown{true, 3, false, false},
                         Shown{false, 0, false, false}, Shown{false, 3, true, false}}) {
    EXPECT_EQ(UsersListNoticeShown(c.viewOnly, c.count, c.found), c.shown) << c.viewOnly << c.count << c.found;
  }
  EXPECT_EQ(UsersListCaption("Project Study", ""), "Project Study: Registered Users");
  EXPECT_EQ(UsersListCaption("Qel workstation", "anna"), "Qel workstation: Search for user anna");
  const std::vector<CUserRecord> users = {User("anna", "Smith"), User("bert", "Brown"), User("bert", "Other")};
  EXPECT_EQ(FindUserRow(users, "bert"), 1);
  EXPECT_EQ(FindUserRow(users, "Bert"), -1);
  EXPECT_EQ(FindUserRow(users, ""), -1);
  EXPECT_EQ(UsersCompareCaption("Study", true), "Project Study: Compare Project Users with Workstation Users");
  EXPECT_EQ(UsersCompareCaption("Study", false), "Project Study: Compare Workstation Users with Project Users");
}

TEST(HistoryCaptionsTest, TheUpdatesCaptionsNameTheProjectAndTheItem) {
  test::AdminTestProject project;
  EXPECT_EQ(TesteeUpdatesCaption(&project, "T01", "History of updates of testees data"),
            "Project Study, testee T01: History of updates of testees data");
  EXPECT_EQ(TesteeUpdatesCaption(nullptr, "T01", "Mode"), "Mode");
  EXPECT_EQ(AssessmentUpdatesCaption(&project, "T01", "Attention", "TP", 3, "Mode"),
            "Project Study, testee T01, model Attention, task TP, assno 3: Mode");
  EXPECT_EQ(AssessmentUpdatesCaption(nullptr, "T01", "Attention", "TP", 3, "Mode"), "Mode");
}

TEST(TesteeEditTest, AnyChangedFieldIsAChangeAndOnlyBirthDateOrPreferenceChangeTheDates) {
  CTesteeInfo before;
  before.m_testee = "T01";
  before.m_code = "Clinic";
  before.m_firstName = "Ann";
  before.m_surname = "Smith";
  before.m_dateBirth = QelDateTime::FromDate(1950, 1, 1);
  before.m_preference = 0;
  before.m_sex = 1;
  before.m_comment = "";
  struct Case {
    const char* name;
    void (*edit)(CTesteeInfo&);
    bool changed, dates;
  };
  const Case cases[] = {
      {"nothing", [](CTesteeInfo&) {}, false, false},
      {"birth date", [](CTesteeInfo& t) { t.m_dateBirth = QelDateTime::FromDate(1950, 1, 2); }, true, true},
      {"birth date cleared", [](CTesteeInfo& t) { t.m_dateBirth = QelDateTime::Null(); }, true, true},
      {"preference", [](CTesteeInfo& t) { t.m_preference = 1; }, true, true},
      {"comment", [](CTesteeInfo& t) { t.m_comment = "Wears glasses"; }, true, false},
      {"surname", [](CTesteeInfo& t) { t.m_surname = "Brown"; }, true, false},
      {"sex", [](CTesteeInfo& t) { t.m_sex = 0; }, true, false},
      {"code", [](CTesteeInfo& t) { t.m_code = "Ward"; }, true, false},
  };
  for (const Case& c : cases) {
    CTesteeInfo after = before;
    c.edit(after);
    const CTesteeEdit edit = CompareTesteeEdit(before, after);
    EXPECT_EQ(edit.changed, c.changed) << c.name;
    EXPECT_EQ(edit.datesChanged, c.dates) << c.name;
  }
  // Two null dates are the same date whatever their stored day number.
  CTesteeInfo a = before, b = before;
  a.m_dateBirth = QelDateTime::Null();
  b.m_dateBirth = QelDateTime::Null();
  b.m_dateBirth.value = 5.0;
  EXPECT_FALSE(CompareTesteeEdit(a, b).changed);
}

}  // namespace

}  // namespace qel
