#include "editors/TaskParHelp.h"

namespace qel {

namespace {

struct HelpIds {
  uint32_t english, dutch, italian;
  uint32_t For(int language) const { return language == 2 ? dutch : language == 3 ? italian : english; }
};

constexpr HelpIds kInstruction{226, 296, 347};
constexpr HelpIds kGeneral{227, 297, 348};
constexpr HelpIds kFeedback{231, 298, 349};
constexpr HelpIds kTiming{229, 299, 358};
constexpr HelpIds kNoTiming{250, 250, 250};
constexpr HelpIds kTrials{230, 300, 359};
constexpr HelpIds kNormGraph{249, 249, 249};
constexpr HelpIds kVariables{224, 301, 360};
constexpr HelpIds kNoParameters{241, 302, 353};

}  // namespace

uint32_t TaskParHelpTextId(int tab, int language, bool timingApplies, bool normGraphShown, bool hasPluginPage) {
  switch (tab) {
    case kTabInstruction:
      return kInstruction.For(language);
    case kTabGeneral:
      return kGeneral.For(language);
    case kTabFeedback:
      return kFeedback.For(language);
    case kTabTiming:
      return (timingApplies ? kTiming : kNoTiming).For(language);
    case kTabTrials:
      return kTrials.For(language);
    case kTabVariables:
      return (normGraphShown ? kNormGraph : kVariables).For(language);
    case kTabParameters:
      return hasPluginPage ? 0 : kNoParameters.For(language);
    default:
      return 0;
  }
}

}  // namespace qel
