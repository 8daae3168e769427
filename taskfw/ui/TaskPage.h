// A plug-in's parameter page: the IQelTaskPage the host's task-parameter
// dialog embeds. Task pages derive from it, build their controls in
// BuildControls and read and write the model task's TaskParam words.
#pragma once

#include "include/qel/TaskLibraryInterface.h"
#include "taskfw/ui/TaskDialog.h"

namespace qel {

class CTaskPage : public CTaskDialog, public IQelTaskPage {
 public:
  explicit CTaskPage(int templateId = kDefaultTemplate, wxWindow* parent = nullptr);

  // IQelTaskPage.
  void SetModelTask(IExpModelTask* task, bool editable) override;
  // Creates the window inside parentWindow (a wxWindow*) with the plug-in's
  // resources current, restored on every path; null without a bound model
  // task or a parent, while a window is alive, or when building fails.
  void* CreateInModule(void* parentWindow) override;
  void Refresh() override;

  // Refresh code only (no beep).
  intptr_t OnUserUpdate(intptr_t code) override;

 protected:
  // Stores a TaskParam word of the bound model task, marks it modified and
  // refreshes the page; false without a model task or for a bad index.
  bool StoreParamWord(int index, uint32_t value);
  uint32_t ParamWord(int index) const;
};

}  // namespace qel
