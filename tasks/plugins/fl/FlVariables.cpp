#include "tasks/plugins/fl/FlVariables.h"

#include "tasks/layers/choice/ChoiceVariables.h"

namespace qel {

namespace fl {

// One part: the compatible displays, then those of the other kind x ("n"
// neutral, "i" incompatible) in the words xw.
#define FL_PART(D, P, x, xw, group)                                                                                \
  CHOICE_HEAD(D, " part " D, P, "_fl"),                                                                            \
      CHOICE_FULL("lc", "left compatible", "<COMPATIBLE>", choice::kTypeCorrect, D, " part " D, P, "_fl"),         \
      CHOICE_FULL("rc", "right compatible", "<COMPATIBLE>", choice::kTypeCorrect, D, " part " D, P, "_fl"),        \
      CHOICE_MEAN_PAIR("c", "compatible", "<COMPATIBLE>", choice::kTypeCorrect, D, " part " D, P, "_fl"),          \
      CHOICE_SHORT("elc", "errors left compatible", "<COMPATIBLE>", choice::kTypeError, D, " part " D, P, "_fl"),  \
      CHOICE_SHORT("erc", "errors right compatible", "<COMPATIBLE>", choice::kTypeError, D, " part " D, P, "_fl"), \
      CHOICE_SUM_PAIR("ec", "errors compatible", "<COMPATIBLE>", choice::kTypeError, D, " part " D, P, "_fl"),     \
      CHOICE_FULL("l" x, "left " xw, group, choice::kTypeCorrect, D, " part " D, P, "_fl"),                        \
      CHOICE_FULL("r" x, "right " xw, group, choice::kTypeCorrect, D, " part " D, P, "_fl"),                       \
      CHOICE_MEAN_PAIR(x, xw, group, choice::kTypeCorrect, D, " part " D, P, "_fl"),                               \
      CHOICE_SHORT("el" x, "errors left " xw, group, choice::kTypeError, D, " part " D, P, "_fl"),                 \
      CHOICE_SHORT("er" x, "errors right " xw, group, choice::kTypeError, D, " part " D, P, "_fl"),                \
      CHOICE_SUM_PAIR("e" x, "errors " xw, group, choice::kTypeError, D, " part " D, P, "_fl"),                    \
      CHOICE_TAIL(D, " part " D, P, "_fl")

constexpr TaskVariableDef kVariables[] = {
    FL_PART("1", 1, "n", "neutral", "<NEUTRAL>"),
    FL_PART("2", 2, "i", "incompatible", "<INCOMPATIBLE>"),
};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount);

#define FL_NORMS(D, x)                                                                                            \
  CHOICE_NORM_RT(kVariables, "lc", D, "_fl"), CHOICE_NORM_RT(kVariables, "rc", D, "_fl"),                         \
      CHOICE_NORM_MEAN_PAIR(kVariables, "c", "lc", "rc", D, "_fl"), CHOICE_NORM_N(kVariables, "elc", D, "_fl"),   \
      CHOICE_NORM_N(kVariables, "erc", D, "_fl"), CHOICE_NORM_SUM_PAIR(kVariables, "ec", "elc", "erc", D, "_fl"), \
      CHOICE_NORM_RT(kVariables, "l" x, D, "_fl"), CHOICE_NORM_RT(kVariables, "r" x, D, "_fl"),                   \
      CHOICE_NORM_MEAN_PAIR(kVariables, x, "l" x, "r" x, D, "_fl"), CHOICE_NORM_N(kVariables, "el" x, D, "_fl"),  \
      CHOICE_NORM_N(kVariables, "er" x, D, "_fl"), CHOICE_NORM_SUM_PAIR(kVariables, "e" x, "el" x, "er" x, D, "_fl")

constexpr TaskNormVariable kNormVariables[] = {FL_NORMS("1", "n"), FL_NORMS("2", "i")};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount);
static_assert(choice::NormRowsFollowZRows(kVariables, kNormVariables), "a norm row for every Z row, in order");

#define FL_GETTER(code) NormGetter(kNormVariables, code)

// Sub-categories: 10 / 11 correct compatible left / right, 12 / 13 correct
// neutral or incompatible, 14-17 the matching errors.
constexpr QelCodeList kCompatible[kParts] = {{2, {10, 11}, {FL_GETTER("Zlc1_fl"), FL_GETTER("Zrc1_fl")}},
                                             {2, {10, 11}, {FL_GETTER("Zlc2_fl"), FL_GETTER("Zrc2_fl")}}};
constexpr QelCodeList kCompatibleErrors[kParts] = {{2, {14, 15}, {FL_GETTER("Zelc1_fl"), FL_GETTER("Zerc1_fl")}},
                                                   {2, {14, 15}, {FL_GETTER("Zelc2_fl"), FL_GETTER("Zerc2_fl")}}};
constexpr QelCodeList kOther[kParts] = {{2, {12, 13}, {FL_GETTER("Zln1_fl"), FL_GETTER("Zrn1_fl")}},
                                        {2, {12, 13}, {FL_GETTER("Zli2_fl"), FL_GETTER("Zri2_fl")}}};
constexpr QelCodeList kOtherErrors[kParts] = {{2, {16, 17}, {FL_GETTER("Zeln1_fl"), FL_GETTER("Zern1_fl")}},
                                              {2, {16, 17}, {FL_GETTER("Zeli2_fl"), FL_GETTER("Zeri2_fl")}}};

#define FL_BLOCKS(p)                                                                               \
  {                                                                                                \
    {choice::PairKind::kFull, &kCompatible[p]}, {choice::PairKind::kShort, &kCompatibleErrors[p]}, \
        {choice::PairKind::kFull, &kOther[p]}, {                                                   \
      choice::PairKind::kShort, &kOtherErrors[p]                                                   \
    }                                                                                              \
  }
constexpr choice::PairBlock kBlocks[kParts][4] = {FL_BLOCKS(0), FL_BLOCKS(1)};
constexpr choice::PartBlocks kPartBlocks[kParts] = {{kBlocks[0], 4}, {kBlocks[1], 4}};

#undef FL_PART
#undef FL_NORMS
#undef FL_GETTER
#undef FL_BLOCKS

}  // namespace fl

}  // namespace qel
