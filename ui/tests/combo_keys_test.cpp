#include <gtest/gtest.h>

#include "ui/ComboKeys.h"

namespace qel {

TEST(ComboKeysTest, EqualStringsNeedsBothTextsAndMayIgnoreCase) {
  struct Case {
    const char* a;
    const char* b;
    bool ignoreCase;
    bool equal;
  };
  const Case cases[] = {
      {"/p/A.qep", "/p/A.qep", false, true}, {"/p/A.qep", "/p/a.qep", false, false},
      {"/p/A.qep", "/p/a.qep", true, true},  {nullptr, "x", true, false},
      {"x", nullptr, false, false},          {"", "", false, true},
  };
  for (const Case& c : cases) EXPECT_EQ(EqualStrings(c.a, c.b, c.ignoreCase), c.equal) << c.a << " " << c.b;
}

TEST(ComboKeysTest, AddToTopKeepsOneCopyOfTheMostRecentTextOnTop) {
  const std::vector<std::string> keys = {"/p/one.qep", "/p/two.qep", "/p/three.qep"};
  struct Case {
    const char* name;
    const char* text;
    int selected;
    bool ignoreCase;
    CAddToTopPlan::Action action;
    int found;
  };
  const Case cases[] = {
      {"already the selected top entry", "/p/one.qep", 0, false, CAddToTopPlan::kKeep, 0},
      {"top entry, not selected", "/p/one.qep", -1, false, CAddToTopPlan::kSelectTop, 0},
      {"third entry", "/p/three.qep", 0, false, CAddToTopPlan::kMoveToTop, 2},
      {"selected third entry", "/p/three.qep", 2, false, CAddToTopPlan::kKeep, 2},
      {"differs in case only, case ignored", "/p/TWO.qep", 0, true, CAddToTopPlan::kMoveToTop, 1},
      {"differs in case only, case kept", "/p/TWO.qep", 0, false, CAddToTopPlan::kInsertTop, -1},
      {"new", "/p/four.qep", 0, false, CAddToTopPlan::kInsertTop, -1},
      {"empty", "", 0, false, CAddToTopPlan::kRefuse, -1},
      {"null", nullptr, 0, false, CAddToTopPlan::kRefuse, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CAddToTopPlan plan = PlanAddToTop(keys, 3, c.selected, c.text, c.ignoreCase);
    EXPECT_EQ(plan.action, c.action);
    EXPECT_EQ(plan.found, c.found);
  }
  // Only the control's items are searched.
  EXPECT_EQ(PlanAddToTop(keys, 2, 0, "/p/three.qep", false).action, CAddToTopPlan::kInsertTop);
}

TEST(ComboKeysTest, ARefillKeepsTheSelectedKeyOrTakesTheFirst) {
  const std::vector<std::string> keys = {"Ann", "Ben", "Cid"};
  EXPECT_EQ(ChooseKeptItem(keys, "Ben"), 1);
  EXPECT_EQ(ChooseKeptItem(keys, "ben"), 0);
  EXPECT_EQ(ChooseKeptItem(keys, ""), 0);
  EXPECT_EQ(ChooseKeptItem({}, "Ben"), -1);
}

}  // namespace qel
