// The Import page's rules: its lists and buttons by the source project's
// state and the checked rows, and its captions.
#include <gtest/gtest.h>

#include "ui/ImportPageRules.h"

namespace qel {

namespace {

ImportPageState Everything() {
  ImportPageState s;
  s.hasSource = true;
  s.testeeCount = 4;
  s.modelCount = 2;
  s.scoreCount = 3;
  s.checkedTestees = s.checkedModels = s.checkedScores = 1;
  return s;
}

struct Case {
  const char* name;
  void (*change)(ImportPageState&);
  bool testees, models, scores, importTestees, importModels, importScores;
};

const Case kCases[] = {
    {"everything", [](ImportPageState&) {}, true, true, true, true, true, true},
    {"no source project", [](ImportPageState& s) { s.hasSource = false; }, false, false, false, false, false, false},
    {"run in progress", [](ImportPageState& s) { s.running = true; }, false, false, false, false, false, false},
    {"nothing checked",
     [](ImportPageState& s) { s.checkedTestees = s.checkedModels = s.checkedScores = 0; }, true, true, true, false,
     false, false},
    {"no scores listed", [](ImportPageState& s) { s.scoreCount = 0; }, true, true, false, true, true, false},
    {"no testees listed", [](ImportPageState& s) { s.testeeCount = 0; }, false, true, true, false, true, true},
    {"no models listed", [](ImportPageState& s) { s.modelCount = 0; }, true, false, true, true, false, true},
};

}  // namespace

TEST(ImportPageRules, ListsAndButtonsFollowTheSourceProjectAndTheChecks) {
  for (const Case& c : kCases) {
    ImportPageState s = Everything();
    c.change(s);
    const ImportPageControls r = ImportPageRules(s);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(r.testeeList, c.testees);
    EXPECT_EQ(r.modelList, c.models);
    EXPECT_EQ(r.scoreList, c.scores);
    EXPECT_EQ(r.importTestees, c.importTestees);
    EXPECT_EQ(r.importModels, c.importModels);
    EXPECT_EQ(r.importScores, c.importScores);
  }
}

TEST(ImportPageRules, CaptionsCountOnlyWithASourceProject) {
  const ImportPageControls with = ImportPageRules(Everything());
  EXPECT_EQ(with.testeeCaption, "Testees (total 4)");
  EXPECT_EQ(with.modelCaption, "Models (total 2)");
  EXPECT_EQ(with.scoreCaption, "Score (total 3)");
  const ImportPageControls without = ImportPageRules(ImportPageState{});
  EXPECT_EQ(without.testeeCaption, "Testees");
  EXPECT_EQ(without.modelCaption, "Models");
  EXPECT_EQ(without.scoreCaption, "Score");
}

}  // namespace qel
