// Models in the project cache: entries made from rows and from an
// experiment model, plug-in availability, look-ups, rows and combo boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "project/ProjectData.h"
#include "project/tests/CacheTestSupport.h"

namespace qel {

namespace test {
namespace {

CExpModel Model(const std::string& name, const std::vector<std::string>& codes) {
  CExpModel model;
  model.m_name = name;
  for (size_t i = 0; i < codes.size(); ++i) {
    CExpModelTask task;
    task.TaskId = static_cast<uint32_t>(100 + i);
    task.TaskIdStr = codes[i];
    task.TaskName = "Task " + codes[i];
    EXPECT_GE(model.AddTask(task), 0);
  }
  return model;
}

class ModelCacheTest : public testing::Test {
 protected:
  FakeLoadedTasks tasks{{"TP", "FL"}};
  CProjectData data{tasks};
};

TEST_F(ModelCacheTest, ModelFromAnExperimentModelTakesHeaderAndTasks) {
  const CExpModel model = Model("Attention", {"TP", "XX", "FL"});
  EXPECT_EQ(data.SetModel(&model, nullptr, Day(2024, 5, 1, 8, 0)), 3);

  const CModelData* cached = data.FindModel("Attention");
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(cached->GetVersion(), 4);
  EXPECT_EQ(cached->GetVersionStr(), "April 2010");
  EXPECT_EQ(cached->GetUser(), "");
  EXPECT_DOUBLE_EQ(cached->GetDate().value, Day(2024, 5, 1, 8, 0).value);
  EXPECT_EQ(data.GetModelTaskCount(0), 3);
  EXPECT_EQ(data.GetModelTaskId(0, 1), 101u);
  EXPECT_STREQ(data.GetModelTaskIdStr(0, 2), "FL");
  EXPECT_EQ(data.GetModelTaskName("Attention", "XX"), "Task XX");
  EXPECT_EQ(data.GetUnavailableTaskCount("Attention"), 1u);
  EXPECT_TRUE(data.IsModelTaskAvailable("Attention", "TP"));
  EXPECT_FALSE(data.IsModelTaskAvailable("Attention", "XX"));
  EXPECT_TRUE(data.HasModelTask("Attention", "XX"));
}

TEST_F(ModelCacheTest, SetModelOfANullModelMakesNothingAndNeverReplaces) {
  EXPECT_EQ(data.SetModel(nullptr, "u", Day(2024, 1, 1)), 0);
  EXPECT_EQ(data.GetModelCount(), 0);
  const CExpModel first = Model("Attention", {"TP"});
  const CExpModel second = Model("Attention", {"FL", "TP"});
  data.SetModel(&first, "u", Day(2024, 1, 1));
  EXPECT_EQ(data.SetModel(&second, "u", Day(2024, 1, 1)), 2);
  EXPECT_EQ(data.GetModelCount(), 2);
  EXPECT_EQ(data.FindModel("Attention")->GetTaskCount(), 1);  // the first of that name
}

TEST_F(ModelCacheTest, AllPluginsLoadedGivesNoUnavailableTask) {
  CModelData* model = data.AddModel("Attention", 4, "April 2010", "admin", Day(2024, 1, 1));
  model->AddTask(1, "TP", "Tapping");
  model->AddTask(2, "FL", "Flanker");
  EXPECT_EQ(data.GetUnavailableTaskCount("Attention"), 0u);
  EXPECT_FALSE(data.IsModelTaskAvailable("Attention", "MS"));
  EXPECT_FALSE(data.IsModelTaskAvailable("Other", "TP"));
  EXPECT_FALSE(data.IsModelTaskAvailable("Attention", "tp"));
}

TEST_F(ModelCacheTest, AModelHoldsAtMostFortyTasks) {
  CModelData* model = data.AddModel("Big", 4, "April 2010", "admin", Day(2024, 1, 1));
  for (int j = 0; j < 40; ++j) ASSERT_NE(model->AddTask(j, "C" + std::to_string(j), "n"), nullptr);
  EXPECT_EQ(model->AddTask(40, "C40", "n"), nullptr);
  EXPECT_EQ(model->GetTaskCount(), 40);
  EXPECT_EQ(model->GetUnavailableTaskCount(), 40u);
}

TEST_F(ModelCacheTest, LookUpsOutOfRangeOrMissingGiveEmptyValues) {
  data.AddModel("Attention", 4, "April 2010", nullptr, Invalid());
  EXPECT_EQ(data.GetModelName(1), nullptr);
  EXPECT_EQ(data.GetModelName(-1), nullptr);
  EXPECT_EQ(data.GetModelTaskCount(1), 0);
  EXPECT_EQ(data.GetModelTaskId(0, 0), 0u);
  EXPECT_EQ(data.GetModelTaskIdStr(0, 0), nullptr);
  EXPECT_EQ(data.GetModelTaskIdStr(2, 0), nullptr);
  EXPECT_EQ(data.FindModel(nullptr), nullptr);
  EXPECT_EQ(data.FindModel("attention"), nullptr);
  EXPECT_EQ(data.GetModelUser("Attention"), "");
  EXPECT_TRUE(data.FindModel("Attention")->GetDate().IsNull());  // an invalid date is not kept
  EXPECT_EQ(data.GetModelVersion("Nothing"), 0);
  EXPECT_EQ(data.GetModelTaskName("Attention", nullptr), "");
}

TEST_F(ModelCacheTest, ModelRowsInCacheOrder) {
  CModelData* a = data.AddModel("B model", 4, "April 2010", "ann", Day(2024, 1, 1));
  a->AddTask(1, "TP", "Tapping");
  a->AddTask(2, "XX", "Gone");
  data.AddModel("A model", 3, "March", "ben", Day(2023, 1, 1));
  EXPECT_EQ(data.GetModelTaskTotal(), 2);

  std::vector<std::string> names{"stale"}, texts, users;
  std::vector<int32_t> counts, versions;
  std::vector<uint32_t> unavailable;
  std::vector<QelDateTime> dates;
  ASSERT_EQ(data.GetModelRows(names, counts, &unavailable, &versions, &texts, &users, &dates), 2);
  EXPECT_EQ(names, (std::vector<std::string>{"B model", "A model"}));
  EXPECT_EQ(counts, (std::vector<int32_t>{2, 0}));
  EXPECT_EQ(unavailable, (std::vector<uint32_t>{1, 0}));
  EXPECT_EQ(versions, (std::vector<int32_t>{4, 3}));
  EXPECT_EQ(texts, (std::vector<std::string>{"April 2010", "March"}));
  EXPECT_EQ(users, (std::vector<std::string>{"ann", "ben"}));
  EXPECT_DOUBLE_EQ(dates[1].value, Day(2023, 1, 1).value);
}

TEST_F(ModelCacheTest, CombosAreEmptiedLeftWithoutSelectionAndFilledInCacheOrder) {
  const CExpModel attention = Model("Attention", {"TP", "FL"});
  data.SetModel(&attention, "u", Day(2024, 1, 1));
  data.AddModel("Empty", 4, "April 2010", "u", Day(2024, 1, 1));
  data.AddTestee("Ben", "c", "Ben", "B", Day(1970, 1, 1), 0, 0, nullptr, QelDateTime::Null());
  data.AddTestee("Ann", "c", "Ann", "A", Day(1970, 1, 1), 0, 0, nullptr, QelDateTime::Null());

  RecordingCombo testees;
  std::vector<std::string> names{"stale"};
  EXPECT_EQ(data.FillTesteeCombo(testees, &names), 2);
  EXPECT_EQ(testees.calls, (std::vector<std::string>{"reset", "no selection", "add Ben", "add Ann"}));
  EXPECT_EQ(names, (std::vector<std::string>{"Ben", "Ann"}));

  RecordingCombo models;
  EXPECT_EQ(data.FillModelCombo(models, nullptr), 2);
  EXPECT_EQ(models.calls, (std::vector<std::string>{"reset", "no selection", "add Attention", "add Empty"}));

  RecordingCombo taskCombo;
  std::vector<std::string> codes, taskNames;
  EXPECT_EQ(data.FillTaskCombo(taskCombo, &codes, &taskNames, "Attention"), 2);
  EXPECT_EQ(taskCombo.calls, (std::vector<std::string>{"reset", "no selection", "add TP", "add FL"}));
  EXPECT_EQ(codes, (std::vector<std::string>{"TP", "FL"}));
  EXPECT_EQ(taskNames, (std::vector<std::string>{"Task TP", "Task FL"}));

  RecordingCombo none;
  EXPECT_EQ(data.FillTaskCombo(none, &codes, &taskNames, "Memory"), 0);
  EXPECT_EQ(none.calls, (std::vector<std::string>{"reset", "no selection"}));
  EXPECT_TRUE(codes.empty());
  EXPECT_TRUE(taskNames.empty());
}

TEST_F(ModelCacheTest, ClearEmptiesEverything) {
  const CExpModel attention = Model("Attention", {"TP"});
  data.SetModel(&attention, "u", Day(2024, 1, 1));
  data.AddTestee("Ann", "c", "Ann", "A", Day(1970, 1, 1), 0, 0, nullptr, QelDateTime::Null());
  data.AddScore("Ann", "Attention", "TP", 1, Day(2024, 1, 1), true, QelDateTime::Null(), 0, 0, 1, "u", Day(2024, 1, 1));
  data.AddAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 1, 1), 1, "u");
  CUserRecord user;
  user.m_id = "u";
  data.AddUser(&user);
  data.AddTesteeCode("c", nullptr, nullptr, QelDateTime::Null());
  data.SetCfrContent(true);
  data.CountScores();
  data.CountAssessments();

  data.Clear();
  EXPECT_EQ(data.GetTesteeCount(), 0);
  EXPECT_EQ(data.GetModelCount(), 0);
  EXPECT_EQ(data.GetUserCount(), 0);
  EXPECT_EQ(data.GetTesteeCodeCount(), 0);
  EXPECT_FALSE(data.IsCfrContent());
  EXPECT_EQ(data.GetScoreTotal(), 0u);
  EXPECT_EQ(data.GetAssessmentTotal(), 0u);
  EXPECT_EQ(data.GetScoreRows(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr),
            0);
}

}  // namespace
}  // namespace test

}  // namespace qel
