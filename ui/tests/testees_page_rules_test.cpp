// The Testees page's rules: which buttons are shown and enabled for the
// operator's state, the group captions, and what a written record notifies.
#include <gtest/gtest.h>

#include "ui/TesteesPageRules.h"

namespace qel {

namespace {

// A logged-in operator, no run, an open CFR project with a current testee
// and code that both have rows, and change history everywhere.
TesteesPageState Everything() {
  TesteesPageState s;
  s.ready = s.loggedIn = s.open = s.cfrProject = true;
  s.hasTestee = s.hasCode = s.anyChanges = s.testeeChanges = true;
  s.mayDelete = true;
  s.testeeCount = 3;
  s.codeCount = 2;
  return s;
}

struct ButtonCase {
  const char* name;
  void (*change)(TesteesPageState&);
  // Expected enabled: code New, code Edit, testee New, testee Edit, Filter, Search.
  bool codeNew, codeEdit, testeeNew, testeeEdit, filter, search;
  // Expected shown: both Delete buttons, history, changes.
  bool deletes, history;
};

const ButtonCase kButtonCases[] = {
    {"everything", [](TesteesPageState&) {}, true, true, true, true, true, true, true, true},
    {"run in progress", [](TesteesPageState& s) { s.running = true; }, false, false, false, false, false, false,
     false, false},
    {"nobody logged in", [](TesteesPageState& s) { s.loggedIn = s.ready = false; }, false, false, false, false,
     false, false, false, false},
    {"plain mode, nobody logged in",
     [](TesteesPageState& s) {
       s.loggedIn = false;
       s.cfrMode = false;
     },
     true, true, true, true, true, true, true, false},
    {"project closed", [](TesteesPageState& s) { s.open = false; }, false, false, false, false, false, false, false,
     false},
    {"not ready", [](TesteesPageState& s) { s.ready = false; }, false, false, false, false, true, true, true, true},
    {"plain project", [](TesteesPageState& s) { s.cfrProject = false; }, true, true, true, true, true, true, true,
     false},
    {"no current testee", [](TesteesPageState& s) { s.hasTestee = false; }, true, true, true, false, false, true,
     true, true},
    {"no current code", [](TesteesPageState& s) { s.hasCode = false; }, true, false, true, true, true, true, true,
     true},
    {"no testees", [](TesteesPageState& s) { s.testeeCount = 0; }, true, true, true, true, true, false, true, true},
    {"user may not delete", [](TesteesPageState& s) { s.mayDelete = false; }, true, true, true, true, true, true,
     false, true},
};

}  // namespace

TEST(TesteesPageRules, ButtonsFollowTheOperatorsStateAndTheCurrentRows) {
  for (const ButtonCase& k : kButtonCases) {
    SCOPED_TRACE(k.name);
    TesteesPageState s = Everything();
    k.change(s);
    const TesteesPageControls c = TesteesPageRules(s);
    EXPECT_EQ(c.codeNew.enabled, k.codeNew);
    EXPECT_EQ(c.codeEdit.enabled, k.codeEdit);
    EXPECT_EQ(c.testeeNew.enabled, k.testeeNew);
    EXPECT_EQ(c.testeeEdit.enabled, k.testeeEdit);
    EXPECT_EQ(c.filterTree.enabled, k.filter);
    EXPECT_EQ(c.search.enabled, k.search);
    EXPECT_EQ(c.history.shown, k.history);
    EXPECT_EQ(c.changes.shown, k.history);
    // A Delete button is shown only with its current row and a user who may delete.
    EXPECT_EQ(c.codeDelete.shown, k.deletes && s.hasCode);
    EXPECT_EQ(c.testeeDelete.shown, k.deletes && s.hasTestee);
    // Every button is always shown, but the Delete and history buttons.
    EXPECT_TRUE(c.codeNew.shown && c.codeEdit.shown && c.testeeNew.shown && c.testeeEdit.shown && c.search.shown &&
                c.filterTree.shown);
  }
}

TEST(TesteesPageRules, HistoryButtonsNeedChangesToBeEnabled) {
  TesteesPageState s = Everything();
  s.anyChanges = s.testeeChanges = false;
  TesteesPageControls c = TesteesPageRules(s);
  EXPECT_TRUE(c.history.shown);
  EXPECT_FALSE(c.history.enabled);
  EXPECT_TRUE(c.changes.shown);
  EXPECT_FALSE(c.changes.enabled);

  s.anyChanges = true;
  c = TesteesPageRules(s);
  EXPECT_TRUE(c.history.enabled);
  EXPECT_FALSE(c.changes.enabled);

  s.testeeChanges = true;
  s.hasTestee = false;
  EXPECT_FALSE(TesteesPageRules(s).changes.enabled);
  s.hasTestee = true;
  EXPECT_TRUE(TesteesPageRules(s).changes.enabled);
}

TEST(TesteesPageRules, ListsAreEnabledOnlyWithRows) {
  TesteesPageState s = Everything();
  EXPECT_TRUE(TesteesPageRules(s).codeListEnabled);
  EXPECT_TRUE(TesteesPageRules(s).testeeListEnabled);
  s.codeCount = 0;
  s.testeeCount = 0;
  EXPECT_FALSE(TesteesPageRules(s).codeListEnabled);
  EXPECT_FALSE(TesteesPageRules(s).testeeListEnabled);
  s = Everything();
  s.running = true;
  EXPECT_FALSE(TesteesPageRules(s).testeeListEnabled);
}

TEST(TesteesPageRules, CaptionsShowTheTotalsOnlyForAnOpenProject) {
  TesteesPageState s = Everything();
  EXPECT_EQ(TesteesPageRules(s).codeCaption, "Testee codes in project (total 2)");
  EXPECT_EQ(TesteesPageRules(s).testeeCaption, "Testees in project (total 3)");
  s.open = false;
  EXPECT_EQ(TesteesPageRules(s).codeCaption, "Testee codes in project");
  EXPECT_EQ(TesteesPageRules(s).testeeCaption, "Testees in project");
}

TEST(TesteesPageRules, AWrittenRecordRefreshesItsListsAndTheUsersWhenOneWasAdded) {
  EXPECT_EQ(TesteeWrittenNotice(false).viewFlags, 2);
  EXPECT_FALSE(TesteeWrittenNotice(false).treeUsers);
  EXPECT_EQ(TesteeWrittenNotice(true).viewFlags, 3);
  EXPECT_TRUE(TesteeWrittenNotice(true).treeUsers);
  EXPECT_EQ(TesteeCodeWrittenNotice(false).viewFlags, 4);
  EXPECT_EQ(TesteeCodeWrittenNotice(true).viewFlags, 5);
  EXPECT_TRUE(TesteeCodeWrittenNotice(true).treeUsers);
}

}  // namespace qel
