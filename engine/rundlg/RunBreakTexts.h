// The texts a run gives the break dialog and shows as its instruction: the
// stop question and the help texts, chosen by the language setting and by
// the kind of task (bits 24-27 of TaskFlags: 0 default, 1 series tasks, 2
// trial tasks), and the "Show" help only for tasks that offer the Show
// button (TaskFlags 0x10000000).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "include/qel/ModelTask.h"

namespace qel {

struct RunBreakTextIds {
  uint32_t stopQuestion = 0;
  uint32_t stopHelp = 0;
  uint32_t continueHelp = 0;
  uint32_t showHelp = 0;  // 0: none
};

// language: 0 default and 1 English, 2 Dutch, 3 Italian (others: English).
RunBreakTextIds SelectBreakTexts(int language, uint32_t taskFlags);

struct RunBreakTexts {
  std::string instruction;  // title line with the task name, then the help texts
  std::string stopQuestion;
};

// The texts themselves, loaded by id (a missing text is empty).
RunBreakTexts BuildBreakTexts(const RunBreakTextIds& ids, const std::string& taskName,
                              const std::function<std::string(uint32_t)>& loadText);

}  // namespace qel
