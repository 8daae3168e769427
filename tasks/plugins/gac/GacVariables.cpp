#include "tasks/plugins/gac/GacVariables.h"

#include "tasks/layers/choice/ChoiceVariables.h"

namespace qel {

namespace gac {

// The correct answers of one cue kind and validity: left, right, both.
#define GAC_CORRECT(l, r, o, what, group)                                               \
  CHOICE_FULL(l, what " left", group, choice::kTypeCorrect, "", "", 1, "_gac"),         \
      CHOICE_FULL(r, what " right", group, choice::kTypeCorrect, "", "", 1, "_gac"),    \
      CHOICE_COUNT(o, what " overall", group, choice::kTypeCorrect, "", "", 1, "_gac"), \
      CHOICE_MEAN_PAIR(o, what " overall", group, choice::kTypeCorrect, "", "", 1, "_gac")
// The wrong answers of one cue kind and validity.
#define GAC_ERRORS(l, r, o, what, group)                                                      \
  CHOICE_SHORT(l, "errors " what " left", group, choice::kTypeError, "", "", 1, "_gac"),      \
      CHOICE_SHORT(r, "errors " what " right", group, choice::kTypeError, "", "", 1, "_gac"), \
      CHOICE_SUM_PAIR(o, "errors " what " overall", group, choice::kTypeError, "", "", 1, "_gac")

constexpr TaskVariableDef kVariables[] = {
    CHOICE_HEAD("", "", 1, "_gac"),
    GAC_CORRECT("vgl", "vgr", "vgo", "valid gaze", "<VALID GAZE>"),
    GAC_CORRECT("igl", "igr", "igo", "invalid gaze", "<INVALID GAZE>"),
    GAC_CORRECT("val", "var", "vao", "valid arrow", "<VALID ARROW>"),
    GAC_CORRECT("ial", "iar", "iao", "invalid arrow", "<INVALID ARROW>"),
    GAC_ERRORS("evgl", "evgr", "evgo", "valid gaze", "<VALID GAZE>"),
    GAC_ERRORS("eigl", "eigr", "eigo", "invalid gaze", "<INVALID GAZE>"),
    GAC_ERRORS("eval", "evar", "evao", "valid arrow", "<VALID ARROW>"),
    GAC_ERRORS("eial", "eiar", "eiao", "invalid arrow", "<INVALID ARROW>"),
    {"Ncb_gac", "<CATCH>", "%.0f", "N catch trials answered with both buttons", VariableFlags(choice::kTypeCorrect, 1),
     1},
    {"Tcb_gac", "<CATCH>", "%.0f", "Mean slower RT of catch trials answered with both buttons",
     VariableFlags(choice::kTypeCorrect, 2), 1},
    CHOICE_TAIL("", "", 1, "_gac"),
};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount);

#define GAC_NORMS_CORRECT(l, r, o)                                                      \
  CHOICE_NORM_RT(kVariables, l, "", "_gac"), CHOICE_NORM_RT(kVariables, r, "", "_gac"), \
      CHOICE_NORM_MEAN_PAIR(kVariables, o, l, r, "", "_gac")
#define GAC_NORMS_ERRORS(l, r, o)                                                     \
  CHOICE_NORM_N(kVariables, l, "", "_gac"), CHOICE_NORM_N(kVariables, r, "", "_gac"), \
      CHOICE_NORM_SUM_PAIR(kVariables, o, l, r, "", "_gac")

constexpr TaskNormVariable kNormVariables[] = {
    GAC_NORMS_CORRECT("vgl", "vgr", "vgo"),   GAC_NORMS_CORRECT("igl", "igr", "igo"),
    GAC_NORMS_CORRECT("val", "var", "vao"),   GAC_NORMS_CORRECT("ial", "iar", "iao"),
    GAC_NORMS_ERRORS("evgl", "evgr", "evgo"), GAC_NORMS_ERRORS("eigl", "eigr", "eigo"),
    GAC_NORMS_ERRORS("eval", "evar", "evao"), GAC_NORMS_ERRORS("eial", "eiar", "eiao"),
};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount);
static_assert(choice::NormRowsFollowZRows(kVariables, kNormVariables), "a norm row for every Z row, in order");

#define GAC_LIST(a, b, l, r)                                                                          \
  {                                                                                                   \
    2, {a, b}, { NormGetter(kNormVariables, "Z" l "_gac"), NormGetter(kNormVariables, "Z" r "_gac") } \
  }

// Sub-categories: face cue left / right with the ball left 10 / 11, with the
// ball right 12 / 13, arrows 14-17; wrong answers 8 above. A cue is valid
// when it points to the ball's side.
constexpr QelCodeList kLists[8] = {
    GAC_LIST(10, 13, "vgl", "vgr"),   GAC_LIST(11, 12, "igl", "igr"),   GAC_LIST(14, 17, "val", "var"),
    GAC_LIST(15, 16, "ial", "iar"),   GAC_LIST(18, 21, "evgl", "evgr"), GAC_LIST(19, 20, "eigl", "eigr"),
    GAC_LIST(22, 25, "eval", "evar"), GAC_LIST(23, 24, "eial", "eiar"),
};

constexpr choice::PairBlock kBlockList[8] = {
    {choice::PairKind::kFullWithCount, &kLists[0]}, {choice::PairKind::kFullWithCount, &kLists[1]},
    {choice::PairKind::kFullWithCount, &kLists[2]}, {choice::PairKind::kFullWithCount, &kLists[3]},
    {choice::PairKind::kShort, &kLists[4]},         {choice::PairKind::kShort, &kLists[5]},
    {choice::PairKind::kShort, &kLists[6]},         {choice::PairKind::kShort, &kLists[7]},
};
constexpr choice::PartBlocks kBlocks = {kBlockList, 8};

#undef GAC_CORRECT
#undef GAC_ERRORS
#undef GAC_NORMS_CORRECT
#undef GAC_NORMS_ERRORS
#undef GAC_LIST

}  // namespace gac

}  // namespace qel
