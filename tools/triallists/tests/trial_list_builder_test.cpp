#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

#include "tools/triallists/TrialListBuilder.h"

namespace qel {

namespace {

using qel::triallists::BuildTrialList;
using qel::triallists::TrialKind;
using qel::triallists::TrialListSpec;

TrialListSpec OneTargetLetter() {
  TrialListSpec spec;
  spec.seed = 11;
  spec.letters = true;
  spec.distractors = "BCDFGH";
  spec.kinds = {TrialKind{1, "k", 0xF, true, 8}, TrialKind{0, "", 0xF, false, 8}};
  return spec;
}

TEST(TrialListBuilder, SameSpecSameListOtherSeedOtherList) {
  TrialListSpec spec = OneTargetLetter();
  const auto first = BuildTrialList(spec);
  EXPECT_EQ(first, BuildTrialList(spec));
  spec.seed = 12;
  EXPECT_NE(first, BuildTrialList(spec));
}

TEST(TrialListBuilder, PlacesEachTargetOnEveryPositionAndDegradesAQuarter) {
  const auto codes = BuildTrialList(OneTargetLetter());
  ASSERT_EQ(codes.size(), 16u);
  int onPosition[4] = {}, lower = 0;
  for (const std::string& code : codes) {
    ASSERT_EQ(code.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      if (code[i] == 'K' || code[i] == 'k') ++onPosition[i];
      lower += std::islower(static_cast<unsigned char>(code[i])) != 0;
    }
  }
  for (int n : onPosition) EXPECT_EQ(n, 2);
  EXPECT_EQ(lower, 8 / 4 + 56 / 4);
}

TEST(TrialListBuilder, KeepsItemsToTheirPositions) {
  TrialListSpec spec;
  spec.seed = 5;
  spec.distractors = "12345";
  spec.kinds = {TrialKind{2, "6", 0x9, true, 6}, TrialKind{1, "6", 0x6, false, 6}};
  for (const std::string& code : BuildTrialList(spec)) {
    const size_t at = code.find('6');
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(std::count(code.begin(), code.end(), '6'), 1);
  }
}

TEST(TrialListBuilder, RefusesSpecsItCannotMeet) {
  TrialListSpec tooFewDistractors = OneTargetLetter();
  tooFewDistractors.distractors = "BC";
  EXPECT_THROW(BuildTrialList(tooFewDistractors), std::runtime_error);

  TrialListSpec tooManyItems = OneTargetLetter();
  tooManyItems.kinds[0] = TrialKind{3, "krs", 0x9, true, 4};
  EXPECT_THROW(BuildTrialList(tooManyItems), std::runtime_error);

  TrialListSpec noPositions = OneTargetLetter();
  noPositions.kinds[1].positions = 0;
  EXPECT_THROW(BuildTrialList(noPositions), std::runtime_error);

  TrialListSpec tooFewCodes;  // only 4 x 3 x 2 x 1 = 24 codes of the four letters
  tooFewCodes.seed = 1;
  tooFewCodes.distractors = "BCDF";
  tooFewCodes.kinds = {TrialKind{0, "", 0xF, false, 3}, TrialKind{1, "", 0xF, true, 3},
                       TrialKind{0, "", 0xF, false, 11}, TrialKind{1, "", 0xF, true, 11}};
  EXPECT_THROW(BuildTrialList(tooFewCodes), std::runtime_error);
}

TEST(TrialListBuilder, RefusesAListThatMustHaveLongRuns) {
  TrialListSpec spec = OneTargetLetter();
  spec.kinds = {TrialKind{1, "k", 0xF, true, 10}, TrialKind{0, "", 0xF, false, 1}};
  EXPECT_THROW(BuildTrialList(spec), std::runtime_error);
}

}  // namespace

}  // namespace qel
