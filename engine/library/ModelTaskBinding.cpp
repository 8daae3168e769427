#include "engine/library/ModelTaskBinding.h"

#include "engine/library/TaskLibraries.h"
#include "qel/ExpModelTaskInterface.h"

void BindModelTask(IExpModelTask* task) {
  if (!task) return;
  CTaskLibrary* library = FindTaskLibrary(task->TaskIdStr.c_str());
  task->library = library;
  if (!library) return;
  task->w.TaskType = (task->w.TaskType & 0xFFFF0000u) | (library->defaultTaskType & 0xFFFFu);
  task->w.TaskFlags = library->defaultTaskFlags;
  task->w.TaskIntrAfterTrials = library->defaultIntrAfterTrials;
  task->w.TaskIntrContinue = library->defaultIntrContinue;
  task->w.TaskIntrReplaceTrial = library->defaultIntrReplaceTrial;
}
