#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "scores/ScoreSheet.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {
namespace {

// A made-up task: two raw variables of part 1 and 2, their Z-scores (one a
// summary), a long-list variable, a test-only one, a series-only one, and
// a variable of every part.
const TaskVariableDef kVariables[] = {
    {"RT_p1", "<RT>", "%.1f", "Mean RT part 1", VariableFlags(kVarTypeCount, 1), 1},
    {"ZRT_p1", "<RT>", "%.2f", "Z of RT part 1", VariableFlags(kVarTypeZScore, 3), 1},
    {"RT_p2", nullptr, "%.1f", "Mean RT part 2", VariableFlags(kVarTypeCount, 2), 2},
    {"ZRT_p2", nullptr, "%.2f", "Z of RT part 2", VariableFlags(kVarTypeZScore, 3), 2},
    {"Med", nullptr, "%.0f", "Median RT", VariableFlags(kVarTypeCount, 1, kVarExtended), 0},
    {"Test", nullptr, "%.0f", "Test only", VariableFlags(kVarTypeCount, 1, kVarZRow), 0},
    {"Sec1", nullptr, "%.0f", "Second 1", VariableFlags(kVarTypeNone, 0, kVarDetail, 2), 0},
    {"All", nullptr, "%.0f", "Every part", VariableFlags(kVarTypeCount, 1), 0},
};
const TaskNormVariable kNorms[] = {
    {1, "ms", "RT", nullptr, 0, 0},
    {3, "ms", "RT", nullptr, 2, kNormSummary},
};
const char* const kItems[] = {"N", "Norm", "Z"};

class Sheet : public ::testing::Test {
 protected:
  void SetUp() override {
    m_library.scoreVariables = kVariables;
    m_library.scoreVariableCount = std::size(kVariables);
    m_library.normVariables = kNorms;
    m_library.normVariableCount = std::size(kNorms);
    m_library.m_norms[{0, 1}] = 300.0;  // norm mean of entry 0
    m_task.library = &m_library;
    std::vector<ScoreVariable> vars;
    for (const TaskVariableDef& row : kVariables) {
      vars.push_back({row.code, row.group ? row.group : "", row.format, row.description, row.flags, row.part, true});
    }
    m_sheet.SetVariables(vars, {320.0, 1.25, 9999.0, 9999.0, 310.0, 5.0, 1.0, 7.0});
    m_sheet.SetTask(&m_task);
    m_sheet.SetItemNames({kItems[0], kItems[1], kItems[2]}, {});
    m_sheet.SetAge(30.0);
  }
  std::vector<std::string> Column(int c) const {
    std::vector<std::string> out;
    for (const ScoreRow& r : m_sheet.Rows()) out.push_back(r.cells[static_cast<size_t>(c)]);
    return out;
  }

  FakeTaskLibrary m_library;
  CExpModelTask m_task;
  CScoreSheet m_sheet;
};

TEST_F(Sheet, BasicViewListsValuesNormRowsAndDashes) {
  m_sheet.Fill(ScoreView::kBasic);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"RT_p1", "<NVAL>", "ZRT_p1", "RT_p2", "<NVAL>", "ZRT_p2", "Test", "All"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"320.0", "300.00", "1.25", "-", "-", "-", "5", "7"}));
  EXPECT_EQ(m_sheet.Rows()[1].cells[3], "NORM VALUE FOR: Z of RT part 1");
  EXPECT_EQ(m_sheet.Rows()[1].image, kNormRowImage);
  EXPECT_EQ(m_sheet.Rows()[1].key, 0);
  EXPECT_EQ(m_sheet.Rows()[0].cells[0], "  1");
  EXPECT_EQ(m_sheet.ListedValues(), (std::vector<std::string>{"320.0", "1.25", "", "", "5", "7"}));
  EXPECT_EQ(m_sheet.NormNames(), (std::vector<std::string>{"ZRT_p1", "ZRT_p2"}));
  EXPECT_EQ(m_sheet.NormTexts(), (std::vector<std::string>{"300.00", "NULL"}));
  EXPECT_EQ(m_sheet.CountText(), "6/8");
  EXPECT_EQ(m_sheet.GetCounts().longList, 1);
  EXPECT_EQ(m_sheet.GetCounts().series, 1);
  EXPECT_EQ(m_sheet.GetCounts().testOnly, 1);
}

TEST_F(Sheet, OptionsPartFilterAndPractice) {
  struct Case {
    const char* what;
    bool longList, practice;
    int part;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"plain", false, false, 0, {"RT_p1", "ZRT_p1", "RT_p2", "ZRT_p2", "Test", "All"}},
      {"long list", true, false, 0, {"RT_p1", "ZRT_p1", "RT_p2", "ZRT_p2", "Med", "Test", "All"}},
      {"practice", false, true, 0, {"RT_p1", "ZRT_p1", "RT_p2", "ZRT_p2", "All"}},
      {"part 2", false, false, 2, {"RT_p2", "ZRT_p2", "Test", "All"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_sheet.Options().longList = c.longList;
    m_sheet.SetPractice(c.practice);
    m_sheet.SetPartFilter(c.part);
    m_sheet.Fill(ScoreView::kBasic);
    EXPECT_EQ(m_sheet.ListedNames(), c.names);
  }
  m_sheet.Fill(ScoreView::kSeries);
  EXPECT_EQ(m_sheet.ListedNames(), (std::vector<std::string>{"Sec1"}));
}

TEST_F(Sheet, WithoutAnAgeEveryNormIsADash) {
  m_sheet.SetAge(0.0);
  m_sheet.Fill(ScoreView::kBasic);
  EXPECT_EQ(m_sheet.Rows()[1].cells[2], "-");
  EXPECT_EQ(m_sheet.NormTexts(), (std::vector<std::string>{"NULL", "NULL"}));
}

TEST_F(Sheet, MarkingChoosesTheBars) {
  m_sheet.Fill(ScoreView::kBasic);
  m_sheet.MarkAll(true, true, false, false);
  EXPECT_EQ(m_sheet.GetCheck(0), kCheckNone);     // no Z score
  EXPECT_EQ(m_sheet.GetCheck(1), kCheckOff);      // Z with a value
  EXPECT_EQ(m_sheet.GetCheck(3), kCheckNoValue);  // Z without a value
  EXPECT_TRUE(m_sheet.AnyDetailedValue());
  EXPECT_FALSE(m_sheet.AnySummaryValue());
  EXPECT_FALSE(m_sheet.AnyChecked());
  EXPECT_TRUE(m_sheet.MarkedBars().empty());
  EXPECT_FALSE(m_sheet.SetChecked(3, true)) << "no value: refused";
  EXPECT_FALSE(m_sheet.SetChecked(0, true)) << "no Z score: refused";
  ASSERT_TRUE(m_sheet.SetChecked(1, true));
  EXPECT_EQ(m_sheet.Rows()[2].check, kCheckOn);
  const std::vector<ZBarInput> bars = m_sheet.MarkedBars();
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].name, "ZRT");
  EXPECT_EQ(bars[0].z, 1.25);
  m_sheet.MarkAll(true, false, false, false);  // "Detailed" unchecked again
  EXPECT_FALSE(m_sheet.AnyChecked());

  m_sheet.SelectVariable(1);
  EXPECT_EQ(m_sheet.CurrentZ(), 1.25);
  EXPECT_EQ(m_sheet.CurrentTval(), 320.0);
}

TEST_F(Sheet, GroupedViewPutsValuesUnderTheirItems) {
  m_sheet.Options().groupList = true;
  m_sheet.Fill(ScoreView::kBasic);
  // Columns: No., Variable, the used items, Label.
  std::vector<std::string> headings;
  for (const ScoreColumn& c : m_sheet.Columns()) headings.push_back(c.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"No.", "Variable", "N", "Norm", "Z", "Label"}));
  // RT_p1 and ZRT_p1 share the group "<RT>": one row, the norm before the Z value.
  const ScoreRow& first = m_sheet.Rows()[0];
  EXPECT_EQ(first.cells[1], "");
  EXPECT_EQ(first.cells[2], "320.0");
  EXPECT_EQ(first.cells[3], "300.00");
  EXPECT_EQ(first.cells[4], "1.25");
  EXPECT_EQ(first.cells[5], "<RT>");
}

TEST(SheetGroups, ThirtyTwoOfOneGroupFillOneRowOfThirtyOne) {
  std::vector<ScoreVariable> vars(40);
  std::vector<double> values(40, 1.0);
  for (int i = 0; i < 40; ++i) {
    vars[static_cast<size_t>(i)] = {"V" + std::to_string(i), "<G>", "%.0f", "", VariableFlags(kVarTypeCount, 1), 0, true};
  }
  CScoreSheet sheet;
  sheet.SetVariables(vars, values);
  sheet.SetItemNames({"A"}, {});
  sheet.Options().groupList = true;
  sheet.Fill(ScoreView::kBasic);
  EXPECT_EQ(sheet.Rows().size(), 1u);
  EXPECT_EQ(sheet.ListedNames().size(), 31u);
}

TEST_F(Sheet, ChangesViewComparesTwoVersions) {
  ScoreChangeSides sides;
  sides.oldValues = {300.0, 0.5, 9999.0, 9999.0};
  sides.newValues = {320.0, 1.25, 9999.0, 2.0};
  sides.oldAge = 30.0;
  sides.newAge = 0.0;
  sides.oldDate = "01/02/2026";
  sides.newDate = "03/02/2026";
  sides.oldUser = "ann";
  sides.newUser = "bob";
  m_sheet.FillChanges(sides);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"<NVAL>", "ZRT_p1", "<NVAL>", "ZRT_p2", "<Date>", "<User>", "<Age>"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"300.00", "0.50", "-", "-", "01/02/2026", "ann", "30.00"}));
  EXPECT_EQ(Column(3), (std::vector<std::string>{"-", "1.25", "-", "2.00", "03/02/2026", "bob", ""}));
  EXPECT_EQ(m_sheet.Rows()[4].cells[0], "  9");
}

// Grouped, the changes view puts each Z-score into its score item's column
// on the old and on the new side, the norm means of both ages beside them,
// and the versions' dates, users and ages under the two side headings.
TEST_F(Sheet, GroupedChangesViewHasAnOldAndANewSide) {
  ScoreChangeSides sides;
  sides.oldValues = {300.0, 0.5, 9999.0, 9999.0};
  sides.newValues = {320.0, 1.25, 9999.0, 2.0};
  sides.oldAge = 30.0;
  sides.newAge = 0.0;
  sides.oldDate = "01/02/2026";
  sides.newDate = "03/02/2026";
  sides.oldUser = "ann";
  sides.newUser = "bob";
  m_sheet.Options().groupList = true;
  m_sheet.FillChanges(sides);
  std::vector<std::string> headings;
  for (const ScoreColumn& c : m_sheet.Columns()) headings.push_back(c.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"No.", "Variable", "<OLD>  ->  ", "Norm", "Z", "<NEW>  ->  ", "Norm",
                                                "Z", "Label"}));
  ASSERT_EQ(m_sheet.Rows().size(), 5u);
  EXPECT_EQ(m_sheet.Rows()[0].cells,
            (std::vector<std::string>{"  2", "ZRT_p1", "", "300.00", "0.50", "", "-", "1.25", "Z of RT part 1"}));
  EXPECT_EQ(m_sheet.Rows()[1].cells,
            (std::vector<std::string>{"  4", "ZRT_p2", "", "-", "-", "", "-", "2.00", "Z of RT part 2"}));
  EXPECT_EQ(m_sheet.Rows()[2].cells,
            (std::vector<std::string>{"  9", "<Date>", "01/02/2026", "", "", "03/02/2026", "", "", ""}));
  EXPECT_EQ(m_sheet.Rows()[3].cells, (std::vector<std::string>{" 10", "<User>", "ann", "", "", "bob", "", "", ""}));
  EXPECT_EQ(m_sheet.Rows()[4].cells, (std::vector<std::string>{" 11", "<Age>", "30.00", "", "", "", "", "", ""}));
  EXPECT_EQ(m_sheet.GetCounts().grouped, 2) << "the Group list option stays on offer in the changes view";
  EXPECT_EQ(m_sheet.LabelColumn(), 8);
}

TEST(ScoreSheetChanges, GroupedChangesOfOneGroupShareARow) {
  CScoreSheet sheet;
  auto z = [](const char* name, const char* group, int column, int part) {
    return ScoreVariable{name, group, "%.2f", std::string("Z of ") + name, VariableFlags(kVarTypeZScore, column), part,
                         true};
  };
  sheet.SetVariables({z("ZN_l", "<LEFT>", 2, 1), z("ZT_l", "<LEFT>", 4, 1),
                      {"N_l", "<LEFT>", "%.0f", "N left", VariableFlags(kVarTypeCount, 1), 1, true},
                      z("ZN_r", "<RIGHT>", 2, 2)},
                     {0.5, -1.0, 40.0, 2.0});
  sheet.SetItemNames({"n(N)", "z(N)", "n(T)", "z(T)"}, {});
  sheet.Options().groupList = true;
  ScoreChangeSides sides;
  sides.oldValues = {0.25, -0.75, 38.0, 1.5};
  sides.newValues = {0.5, -1.0, 40.0, 2.0};
  sheet.FillChanges(sides);
  std::vector<std::string> headings;
  for (const ScoreColumn& c : sheet.Columns()) headings.push_back(c.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"No.", "Variable", "<OLD>  ->  ", "z(N)", "z(T)", "<NEW>  ->  ", "z(N)",
                                                "z(T)", "Label"}));
  ASSERT_EQ(sheet.Rows().size(), 5u);
  EXPECT_EQ(sheet.Rows()[0].cells,
            (std::vector<std::string>{"  1", "", "", "0.25", "-0.75", "", "0.50", "-1.00", "<LEFT>"}));
  EXPECT_EQ(sheet.Rows()[1].cells,
            (std::vector<std::string>{"  4", "ZN_r", "", "1.50", "", "", "2.00", "", "Z of ZN_r"}));
  EXPECT_EQ(sheet.CountText(), "3/4") << "the raw count is not compared";
  // Without the option the same versions are listed one variable a row.
  sheet.Options().groupList = false;
  sheet.FillChanges(sides);
  EXPECT_EQ(sheet.Columns().size(), 5u);
  EXPECT_EQ(sheet.Rows().size(), 6u);
  EXPECT_EQ(sheet.Rows()[1].cells, (std::vector<std::string>{"  2", "ZT_l", "-0.75", "-1.00", "Z of ZT_l"}));
}

TEST(ScoreHeaders, TesteeAndTaskLines) {
  ScoreHeaderData d;
  d.testee = "T01";
  d.firstName = "Ann";
  d.surname = "Lee";
  d.ageText = "30.50";
  d.model = "M";
  d.task = "TP";
  d.assessment = 2;
  d.testedText = "01/02/2026";
  EXPECT_EQ(FormatTesteeHeader(d), "Testee:T01, Ann Lee, Age:30.50");
  EXPECT_EQ(FormatTaskHeader(d), "Model:M, Task:TP, Ano:2, Tested:01/02/2026");
  d.noTesteeName = true;
  d.mode = ScoreHeaderData::Mode::kExported;
  d.nowText = "now";
  d.userId = "u1";
  d.userFirstName = "Uma";
  d.userSurname = "Doe";
  EXPECT_EQ(FormatTesteeHeader(d), "Testee:T01, Age:30.50, Exported: now, by:u1, Uma Doe");
  d.practice = true;
  d.projectName = "Study";
  d.testerId = "t9";
  d.testerFirstName = "Tom";
  d.testerSurname = "Ray";
  EXPECT_EQ(FormatTaskHeader(d), "Project:Study, Model:M, Task:TP, Tested:01/02/2026, by:t9, Tom Ray");
}

TEST(ScoreDuration, HoursOrDays) {
  EXPECT_EQ(FormatDuration(0.25), "Duration: 6:00:00");
  EXPECT_EQ(FormatDuration(6.2), "Duration, days: > 6");
  EXPECT_EQ(FormatDuration(1.0 / 86400.0 * 3725), "Duration: 1:02:05");
  EXPECT_EQ(FormatDuration(5.5), "Duration: 132:00:00");
}

}  // namespace
}  // namespace qel
