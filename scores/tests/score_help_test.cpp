// The score dialog's help: which texts, in which order and language.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scores/ScoreHelp.h"

namespace qel {
namespace {

std::vector<uint32_t> Ids(std::initializer_list<uint32_t> ids) { return ids; }

TEST(ScoreHelp, TheTextsOfThePartsOnOfferInOrderAndLanguage) {
  ScoreHelpParts all;
  all.basicShown = all.zShown = all.zNormShown = true;
  all.longListShown = all.groupListShown = all.fullListShown = true;
  all.markShown = all.ageRangeShown = all.exportShown = true;
  ScoreHelpParts practice;  // no views, no export
  practice.longListShown = true;
  ScoreHelpParts series = all;  // view D: Z and Z-Norm only when Z-Norm is enabled
  series.view = 3;
  ScoreHelpParts zNorm = all;
  zNorm.view = 2;
  ScoreHelpParts seriesEnabled = series;
  seriesEnabled.zNormEnabled = true;
  struct Case {
    const char* what;
    ScoreHelpParts parts;
    int language;
    std::vector<uint32_t> ids;
  } cases[] = {
      {"everything, English", all, 1, Ids({234, 233, 240, 237, 238, 236, 239, 247, 235})},
      {"default language is English", all, 0, Ids({234, 233, 240, 237, 238, 236, 239, 247, 235})},
      {"Dutch", all, 2, Ids({286, 287, 288, 289, 290, 291, 292, 293, 295})},
      {"Italian", all, 3, Ids({338, 339, 340, 341, 342, 343, 344, 345, 346})},
      {"a practice run", practice, 1, Ids({237})},
      {"view D leaves out Z and Z-Norm", series, 1, Ids({234, 237, 238, 236, 239, 247, 235})},
      {"view D with Z-Norm enabled", seriesEnabled, 1, Ids({234, 233, 240, 237, 238, 236, 239, 247, 235})},
      {"view Z-Norm leaves out Z", zNorm, 2, Ids({286, 288, 289, 290, 291, 292, 293, 295})},
  };
  for (const Case& c : cases) EXPECT_EQ(ScoreHelpTextIds(c.parts, c.language), c.ids) << c.what;
}

TEST(ScoreHelp, TheTextsJoinIntoOneRtfDocument) {
  const std::string rtf = BuildScoreHelp({234, 235}, [](uint32_t id) { return "{\\b " + std::to_string(id) + "}\\par "; });
  EXPECT_EQ(rtf, "{\\rtf1{\\b 234}\\par {\\b 235}\\par }");
  EXPECT_EQ(BuildScoreHelp({}, [](uint32_t) { return std::string("x"); }), "{\\rtf1}");
}

}  // namespace
}  // namespace qel
