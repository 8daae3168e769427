#include "engine/library/ModelTaskBinding.h"

#include "app/model/ExpModel.h"
#include "engine/library/TaskLibraries.h"
#include "include/qel/ExpModelTaskInterface.h"

namespace qel {

void BindModelTask(IExpModelTask* task) {
  if (!task) return;
  BindModelTaskTo(task, FindTaskLibrary(task->TaskIdStr.c_str()));
}

void BindModelTaskTo(IExpModelTask* task, CTaskLibrary* library) {
  if (!task) return;
  task->library = library;
  if (!library) return;
  task->w.TaskType = (task->w.TaskType & ~kResponseTypeMask) | ResponseTypeOf(library->defaultTaskType);
  task->w.TaskFlags = library->defaultTaskFlags;
  task->w.TaskIntrAfterTrials = library->defaultIntrAfterTrials;
  task->w.TaskIntrContinue = library->defaultIntrContinue;
  task->w.TaskIntrReplaceTrial = library->defaultIntrReplaceTrial;
}

void BindModelTaskAt(CExpModel* model, int i) {
  if (!model || i < 0 || i >= model->GetTaskCount()) return;
  if (CExpModelTask* task = model->GetTask(i)) BindModelTask(task);
}

void BindModelTasks(CExpModel* model) {
  if (!model) return;
  for (int i = 0; i < model->GetTaskCount(); ++i) BindModelTaskAt(model, i);
}

}  // namespace qel
