// The experiment model: slots, current task, flags.
#include <gtest/gtest.h>

#include <memory>

#include "app/model/ExpModel.h"
#include "tests/support/fakes/FakeTaskHost.h"
#include "tests/support/fakes/FakeTaskLibrary.h"

namespace qel {

namespace {

CExpModelTask MakeTask(const char* code) {
  CExpModelTask t;
  t.TaskIdStr = code;
  t.TaskName = std::string("Task ") + code;
  return t;
}

TEST(ExpModel, ResetGivesAnEmptyModelWithANewHeader) {
  CExpModel m;
  m.AddTask(MakeTask("TP"));
  m.m_name = "old";
  m.m_header.m_version = 3;
  m.m_header.m_reserved[5] = 9;
  m.m_loaded = 1;
  m.Reset();
  EXPECT_EQ(m.m_name, "");
  EXPECT_EQ(m.GetTaskCount(), 0);
  EXPECT_EQ(m.m_header.m_version, 4u);
  EXPECT_EQ(m.m_header.m_release, "April 2010");
  EXPECT_FALSE(m.m_header.m_creation.empty());
  EXPECT_EQ(m.m_header.m_reserved[5], 0);
  EXPECT_EQ(m.m_loaded, 0);
  EXPECT_FALSE(m.IsModified());
  EXPECT_TRUE(m.m_tasks[0].TaskIdStr.empty());
  EXPECT_EQ(m.GetTask(0), nullptr);
  EXPECT_EQ(m.GetHeader(), &m.m_header);
}

TEST(ExpModel, AddTaskUpToFortyThenRefuses) {
  auto m = std::make_unique<CExpModel>();
  for (int i = 0; i < kMaxModelTasks; ++i) {
    ASSERT_EQ(m->AddTask(MakeTask(std::to_string(i).c_str())), i);
  }
  EXPECT_TRUE(m->IsModified());
  m->SetModified(false, true);
  EXPECT_EQ(m->AddTask(MakeTask("X")), -1);
  EXPECT_EQ(m->GetTaskCount(), kMaxModelTasks);
  EXPECT_FALSE(m->IsModified());
  EXPECT_EQ(m->m_tasks[39].TaskIdStr, "39");
}

TEST(ExpModel, AddTaskMarksTheModelAndEveryTaskModified) {
  CExpModel m;
  m.AddTask(MakeTask("A"));
  m.SetModified(false, true);
  EXPECT_EQ(m.AddTask(MakeTask("B")), 1);
  EXPECT_EQ(m.m_modified, 1);
  EXPECT_EQ(m.m_tasks[0].modified, 1);
  EXPECT_EQ(m.m_tasks[1].modified, 1);
  EXPECT_EQ(m.m_tasks[2].modified, 0);  // not a task of the model
}

TEST(ExpModel, FindTaskByCodeIsCaseSensitive) {
  CExpModel m;
  m.AddTask(MakeTask("PR"));
  m.AddTask(MakeTask("TP"));
  m.AddTask(MakeTask("TP"));
  EXPECT_EQ(m.FindTaskByCode("TP"), &m.m_tasks[1]);
  EXPECT_EQ(m.GetCurrentTaskIndex(), 1);
  EXPECT_EQ(m.FindTaskByCode("tp"), nullptr);
  EXPECT_EQ(m.m_currentIndex, 3);  // left at the count
  EXPECT_EQ(m.GetCurrentTask(), nullptr);
  EXPECT_EQ(m.GetCurrentTaskIndex(), -1);
  m.SelectTask(0);
  EXPECT_EQ(m.FindTaskByCode(nullptr), nullptr);
  EXPECT_EQ(m.GetCurrentTaskIndex(), 0);
}

TEST(ExpModel, SelectTaskOutsideTheCountKeepsTheCurrentTask) {
  CExpModel m;
  m.AddTask(MakeTask("A"));
  m.AddTask(MakeTask("B"));
  EXPECT_EQ(m.SelectTask(1), &m.m_tasks[1]);
  EXPECT_EQ(m.SelectTask(2), nullptr);
  EXPECT_EQ(m.SelectTask(-1), nullptr);
  EXPECT_EQ(m.GetCurrentTask(), &m.m_tasks[1]);
}

TEST(ExpModel, AStoredCountAboveFortyNeverReachesBeyondTheSlots) {
  CExpModel m;
  m.m_header.m_taskCount = 1000;
  EXPECT_EQ(m.GetTaskCount(), kMaxModelTasks);
  EXPECT_EQ(m.GetTask(40), nullptr);
  EXPECT_NE(m.GetTask(39), nullptr);
}

TEST(ExpModel, FlagsOnModelAndTasks) {
  CExpModel m;
  m.AddTask(MakeTask("A"));
  m.AddTask(MakeTask("B"));
  m.SetModified(false, false);
  EXPECT_TRUE(m.IsModified());  // the tasks still are
  m.SetModified(false, true);
  EXPECT_FALSE(m.IsModified());
  m.m_tasks[1].modified = 1;
  EXPECT_TRUE(m.IsModified());
  m.SetLoaded(true, false);
  EXPECT_EQ(m.m_loaded, 1);
  EXPECT_EQ(m.m_tasks[0].loaded, 0);
  m.SetLoaded(true, true);
  EXPECT_EQ(m.m_tasks[0].loaded, 1);
  EXPECT_EQ(m.m_tasks[1].loaded, 1);
  EXPECT_EQ(m.m_tasks[2].loaded, 0);
}

TEST(ExpModel, AssessmentsOfAllTasks) {
  FakeTaskLibrary lib;
  lib.partCount = 2;
  CExpModel m;
  CExpModelTask t = MakeTask("A");
  t.library = &lib;
  t.assessmentCounts[0] = 4;
  t.assessmentCounts[1] = 1;
  m.AddTask(t);
  t.currentPart = 1;
  m.AddTask(t);
  m.SelectNewAssessments();
  EXPECT_EQ(m.m_tasks[0].currentAssessment, 5u);
  EXPECT_EQ(m.m_tasks[1].currentAssessment, 2u);
  m.m_tasks[41 - 2].assessmentCounts[0] = 3;
  m.ClearAssessmentCounts();
  EXPECT_EQ(m.m_tasks[0].assessmentCounts[0], 0u);
  EXPECT_EQ(m.m_tasks[39].assessmentCounts[0], 0u);
}

TEST(ExpModel, ApplyKeysMappingUsesTheCurrentTask) {
  FakeTaskLibrary lib;
  auto host = std::make_unique<FakeTaskHost>();
  lib.host = host.get();
  CExpModel m;
  CExpModelTask t = MakeTask("A");
  t.library = &lib;
  t.w.TaskFlags = kTaskFlagSwapKeys;
  m.AddTask(t);
  m.m_currentIndex = 1;  // no current task: nothing happens
  m.ApplyKeysMapping(1);
  EXPECT_EQ(host->leftCode, 1);
  m.SelectTask(0);
  m.ApplyKeysMapping(1);
  EXPECT_EQ(host->leftCode, 2);
  EXPECT_EQ(host->rightCode, 1);
}

}  // namespace

}  // namespace qel
