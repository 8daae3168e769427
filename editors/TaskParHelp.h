// Which help text the task-parameter dialog shows for its current tab.
#pragma once

#include <cstdint>

namespace qel {

// The tabs of the task-parameter dialog.
enum TaskParTab : int {
  kTabInstruction = 0,
  kTabGeneral,
  kTabFeedback,
  kTabTiming,
  kTabTrials,
  kTabVariables,
  kTabParameters,
  kTaskParTabCount
};

// The help TEXT resource for the tab and language (2 Dutch, 3 Italian, else
// English); 0 for the plug-in's own parameter help.
uint32_t TaskParHelpTextId(int tab, int language, bool timingApplies, bool normGraphShown, bool hasPluginPage);

constexpr const char* kTaskParHelpTitle = "Task parameters Help";

}  // namespace qel
