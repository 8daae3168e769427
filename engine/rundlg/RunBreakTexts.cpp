#include "engine/rundlg/RunBreakTexts.h"

namespace qel {

namespace {

// Column by language: English, Dutch, Italian.
int LanguageColumn(int language) {
  switch (language) {
    case 2:
      return 1;
    case 3:
      return 2;
    default:
      return 0;
  }
}

constexpr uint32_t kStopHelp[3][3] = {{254, 265, 326}, {251, 266, 327}, {263, 303, 328}};
constexpr uint32_t kContinueHelp[3] = {252, 268, 329};
constexpr uint32_t kShowHelp[3] = {253, 270, 330};

}  // namespace

RunBreakTextIds SelectBreakTexts(int language, uint32_t taskFlags) {
  const uint32_t kind = TaskKind(taskFlags);
  const int row = kind == kTaskKindSeries ? 1 : kind == kTaskKindTrials ? 2 : 0;
  const int column = LanguageColumn(language);
  RunBreakTextIds ids;
  ids.stopQuestion = row == 1 ? 244 : row == 2 ? 264 : 245;
  ids.stopHelp = kStopHelp[row][column];
  ids.continueHelp = kContinueHelp[column];
  ids.showHelp = (taskFlags & kTaskFlagShowButton) ? kShowHelp[column] : 0;
  return ids;
}

RunBreakTexts BuildBreakTexts(const RunBreakTextIds& ids, const std::string& taskName,
                              const std::function<std::string(uint32_t)>& loadText) {
  RunBreakTexts texts;
  texts.stopQuestion = loadText(ids.stopQuestion);
  texts.instruction = taskName;
  for (const uint32_t id : {ids.stopHelp, ids.continueHelp, ids.showHelp}) {
    if (id == 0) continue;
    const std::string help = loadText(id);
    if (!help.empty()) texts.instruction += "\n\n" + help;
  }
  return texts;
}

}  // namespace qel
