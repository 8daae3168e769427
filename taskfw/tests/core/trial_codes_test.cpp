// The permutations the host applies to trial codes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/qel/TrialCodes.h"
#include "tests/support/fakes/FakeTaskHost.h"

namespace qel {

namespace {

struct CodeCase {
  const char* code;
  int offset;
  bool swapOk;
  const char* swapped;
  bool quartersOk;
  const char* flagSet;
  const char* flagClear;
};

class TrialCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(TrialCodes, Permutations) {
  const CodeCase& c = GetParam();
  char code[kTrialCodeSize] = {};
  std::strcpy(code, c.code);
  EXPECT_EQ(QelSwapCodeHalves(code, c.offset), c.swapOk);
  EXPECT_STREQ(code, c.swapped);
  std::strcpy(code, c.code);
  EXPECT_EQ(QelPermuteCodeQuarters(code, true, c.offset), c.quartersOk);
  EXPECT_STREQ(code, c.flagSet);
  std::strcpy(code, c.code);
  EXPECT_EQ(QelPermuteCodeQuarters(code, false, c.offset), c.quartersOk);
  EXPECT_STREQ(code, c.flagClear);
}

INSTANTIATE_TEST_SUITE_P(Codes, TrialCodes,
                         ::testing::Values(CodeCase{"ABCDEFGH", 0, true, "EFGHABCD", true, "EFGHABCD", "GHEFCDAB"},
                                           CodeCase{"ABCD", 0, true, "CDAB", true, "CDAB", "DCBA"},
                                           CodeCase{"ABCDEF", 0, true, "DEFABC", false, "ABCDEF", "ABCDEF"},
                                           CodeCase{"xyABCDEFGH", 2, true, "xyEFGHABCD", true, "xyEFGHABCD",
                                                    "xyGHEFCDAB"},
                                           CodeCase{"ABCDE", 0, false, "ABCDE", false, "ABCDE", "ABCDE"},
                                           CodeCase{"", 0, false, "", false, "", ""},
                                           CodeCase{"ABCD", 17, false, "ABCD", false, "ABCD", "ABCD"},
                                           CodeCase{"ABCD", -1, false, "ABCD", false, "ABCD", "ABCD"}));

TEST(TrialCodesBounds, UnterminatedSlotIsNotOverRead) {
  char code[kTrialCodeSize];
  std::memset(code, 'A', sizeof code);
  EXPECT_FALSE(QelSwapCodeHalves(code, 0)) << "17 letters without an end";
  EXPECT_FALSE(QelPermuteCodeQuarters(code, true, 9)) << "8 letters up to the slot's end, no NUL";
  std::memcpy(code + 8, "ABCDEFGH", 9);
  EXPECT_TRUE(QelPermuteCodeQuarters(code, true, 8));
  EXPECT_STREQ(code + 8, "EFGHABCD");
}

TEST(TrialCodesHost, TestHostPermutesPublishedTrials) {
  FakeTaskHost host;
  std::strcpy(host.trialList[0], "T1ABCDEFGH");
  host.codeOffset = 2;
  EXPECT_TRUE(host.PermuteCodeQuarters(host.trialList[0], false, static_cast<int>(host.codeOffset)));
  EXPECT_STREQ(host.trialList[0], "T1GHEFCDAB");
}

}  // namespace

}  // namespace qel
