#include "tasks/layers/series/tests/SeriesTask.h"

#include "taskfw/TaskPlugin.h"

namespace qel {

namespace {
const char* const kVersions[] = {"No versions"};
const char* const kParts[] = {"Series"};
}  // namespace

const QelModelTask g_ModelDefault = {
    60, "SER", "Series Test", {1, 0, 0, 0, 0, 0, 100, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {48}, {1}};

QEL_TASK_PLUGIN(SeriesTask, g_seriesTask);

SeriesTask::SeriesTask() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersions;
  m_versionCount = 1;
  m_partNames = kParts;
  m_partCount = 1;
  m_seriesLength = kLength;
}

BoundSeriesTask::BoundSeriesTask() {
  context.TaskPartTrials[0] = 48;
  context.TaskParam[0] = 1;
}

bool BoundSeriesTask::InitAndSetup() {
  return task.DispatchCommand(kCmdInit, reinterpret_cast<intptr_t>(&record), 0, 0, nullptr) &&
         task.DispatchCommand(kCmdSetupRun, reinterpret_cast<intptr_t>(&context), 0, 0, nullptr);
}

bool BoundSeriesTask::Begin() {
  return task.DispatchCommand(kCmdBeginRun, reinterpret_cast<intptr_t>(runData.get()), 0, 0, nullptr);
}

}  // namespace qel
