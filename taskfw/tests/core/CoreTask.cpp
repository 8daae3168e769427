#include "taskfw/tests/core/CoreTask.h"

#include <new>

#include "taskfw/TaskPlugin.h"

namespace qel {

namespace {
const char* const kVersions[] = {"First", "Second"};
const char* const kParts[] = {"Left hand", "Right hand"};
const TaskVariableDef kVariables[] = {
    {"Nl_ct", "<LEFT>", "%.0f", "N left", 0x10001, 1},
    {"Sl_ct", "<LEFT>", "%.0f", "SD left", 0x3002b, 1},
    {"ZTl_ct", nullptr, "%.2f", "Z-score left", 0x50049, 1},
    {"Xl_ct", nullptr, "%.2f", "Type 14 row", 0x0000e, 2},
};
const TaskNormVariable kNormVariables[] = {
    {2, "ms", "ZTl_ct", nullptr, 1, 0},
};
const TaskTextIds kTexts[3] = {{101, 102, 103, 0}, {104, 102, 105, 0}, {106, 102, 107, 0}};
}  // namespace

const QelModelTask g_ModelDefault = {
    7, "CT", "Core Task", {2, 0x1100, 4, 1, 3, 2, 100, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {10, 10}, {}};

QEL_TASK_PLUGIN(CoreTask, g_coreTask);

CoreTask::CoreTask() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersions;
  m_versionCount = 2;
  m_partNames = kParts;
  m_partCount = 2;
  m_variables = kVariables;
  m_variableCount = 4;
  m_normVariables = kNormVariables;
  m_normVariableCount = 1;
}

void CoreTask::LoadTexts() {
  ++m_loadTextsCalls;
  if (m_throwInLoadTexts) throw std::bad_alloc();
  LoadTextsForLanguage(kTexts);
}

BoundTask::BoundTask() {
  context.TaskPartTrials[0] = 10;
  context.TaskPartTrials[1] = 12;
  runData->resultWord = 0;
}

bool BoundTask::InitAndSetup() {
  return task.DispatchCommand(kCmdInit, reinterpret_cast<intptr_t>(&record), 0, 0, nullptr) &&
         task.DispatchCommand(kCmdSetupRun, reinterpret_cast<intptr_t>(&context),
                              reinterpret_cast<intptr_t>(runData.get()), 0, nullptr);
}

}  // namespace qel
