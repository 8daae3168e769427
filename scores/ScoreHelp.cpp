#include "scores/ScoreHelp.h"

#include "editors/TaskTextHelpers.h"

namespace qel {

namespace {

constexpr int kDutch = 2;
constexpr int kItalian = 3;
constexpr int kViewBasic = 0;
constexpr int kViewZ = 1;
constexpr int kViewZNorm = 2;

struct HelpText {
  uint32_t english, dutch, italian;
  uint32_t For(int language) const { return language == kDutch ? dutch : language == kItalian ? italian : english; }
};

constexpr HelpText kBasic{234, 286, 338};
constexpr HelpText kZ{233, 287, 339};
constexpr HelpText kZNorm{240, 288, 340};
constexpr HelpText kLongList{237, 289, 341};
constexpr HelpText kGroupList{238, 290, 342};
constexpr HelpText kFullList{236, 291, 343};
constexpr HelpText kMark{239, 292, 344};
constexpr HelpText kAgeRange{247, 293, 345};
constexpr HelpText kExport{235, 295, 346};

}  // namespace

std::vector<uint32_t> ScoreHelpTextIds(const ScoreHelpParts& p, int language) {
  std::vector<uint32_t> ids;
  auto add = [&](bool when, const HelpText& text) {
    if (when) ids.push_back(text.For(language));
  };
  const bool basic = p.view == kViewBasic;
  add(p.basicShown, kBasic);
  add(p.zShown && (p.zNormEnabled || basic || p.view == kViewZ), kZ);
  add(p.zNormShown && (p.zNormEnabled || basic || p.view == kViewZNorm), kZNorm);
  add(p.longListShown, kLongList);
  add(p.groupListShown, kGroupList);
  add(p.fullListShown, kFullList);
  add(p.markShown, kMark);
  add(p.ageRangeShown, kAgeRange);
  add(p.exportShown, kExport);
  return ids;
}

std::string BuildScoreHelp(const std::vector<uint32_t>& ids, const std::function<std::string(uint32_t)>& load) {
  std::string text;
  for (uint32_t id : ids) text += load(id);
  return BuildRtfText(text, false);
}

}  // namespace qel
