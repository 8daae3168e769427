// Ties the tasks of experiment models to the loaded plug-ins by short code.
#pragma once

namespace qel {

class IExpModelTask;
class CExpModel;
class CTaskLibrary;

// Binds the task to the first loaded plug-in with its short code (null when
// none). A bound task takes the plug-in's current TaskType low half and its
// TaskFlags and interruption words, whatever the model stored.
void BindModelTask(IExpModelTask* task);
// Binds the task to the given record (null: unbound) by the same rule.
void BindModelTaskTo(IExpModelTask* task, CTaskLibrary* library);
// Binds task i of the model when the model has it.
void BindModelTaskAt(CExpModel* model, int i);
// Binds every task of the model in order.
void BindModelTasks(CExpModel* model);

}  // namespace qel
