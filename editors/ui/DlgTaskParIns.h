// The Instruction page: the plug-in's instruction of the whole task and of
// the task's current part, each on a sub-tab; nothing here changes the task.
#pragma once

#include "editors/ui/DlgTaskParPage.h"

class wxNotebook;

namespace qel {

class CRtfView;

class CDlgTaskParIns : public CDlgTaskParPage {
 public:
  enum ControlId : int { kIdSubTabs = 1315, kIdText = 1085 };
  enum SubTab : int { kSubTabTask = 0, kSubTabPart = 1 };

  CDlgTaskParIns(wxWindow* parent, const EditorServices& services);
  void UpdatePage() override;

  const std::string& TaskText() const;
  const std::string& PartText() const;
  wxNotebook* SubTabs() const { return m_subTabs; }

 private:
  std::string InstructionText(bool part) const;

  wxNotebook* m_subTabs = nullptr;
  CRtfView* m_taskText = nullptr;
  CRtfView* m_partText = nullptr;
};

}  // namespace qel
