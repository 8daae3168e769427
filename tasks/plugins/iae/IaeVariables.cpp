#include "tasks/plugins/iae/IaeVariables.h"

#include "tasks/layers/identification/IdentificationRows.h"

namespace qel {

namespace iae {

// One gaze g ("d" direct, "a" averted) of part P; word and WORD name it.
#define AE_GAZE(g, word, WORD, P, name, tag)                                                                        \
  IDF_FULL("h" g, "hits", "<HI " WORD " " tag ">", msfa::kTypeHit, P, word " " name, "_ae"),                        \
      IDF_FULL("c" g, "correct rejections", "<CR " WORD " " tag ">", msfa::kTypeCorrectRejection, P, word " " name, \
               "_ae"),                                                                                              \
      IDF_MEAN_RT(g, "<" WORD " " tag ">", P, word " " name, "_ae"),                                                \
      IDF_SHORT("m" g, "misses", "<MI " WORD " " tag ">", msfa::kTypeMiss, P, word " " name, "_ae"),                \
      IDF_SHORT("f" g, "false alarms", "<FA " WORD " " tag ">", msfa::kTypeFalseAlarm, P, word " " name, "_ae"),    \
      IDF_ERRORS(g, "<ERR " WORD " " tag ">", P, word " " name, "_ae")
#define AE_PART(P, name, tag)                                               \
  IDF_HEAD(P, name, "_ae"), AE_GAZE("d", "direct", "DIRECT", P, name, tag), \
      AE_GAZE("a", "averted", "AVERTED", P, name, tag), IDF_TAIL(P, name, "_ae")

constexpr TaskVariableDef kVariables[] = {
    AE_PART(1, "happy", "HAPPY"),
    AE_PART(2, "sad", "SAD"),
    AE_PART(3, "angry", "ANGRY"),
    AE_PART(4, "fear", "FEAR"),
};
static_assert(sizeof kVariables / sizeof kVariables[0] == kVariableCount, "the rows the run data writes");

#define AE_NORM_PART(P)                                                                   \
  MSFA_NORM_RT(kVariables, "hd", P, "_ae"), MSFA_NORM_RT(kVariables, "cd", P, "_ae"),     \
      MSFA_NORM_N(kVariables, "md", P, "_ae"), MSFA_NORM_N(kVariables, "fd", P, "_ae"),   \
      MSFA_NORM_RT(kVariables, "ha", P, "_ae"), MSFA_NORM_RT(kVariables, "ca", P, "_ae"), \
      MSFA_NORM_N(kVariables, "ma", P, "_ae"), MSFA_NORM_N(kVariables, "fa", P, "_ae")

constexpr TaskNormVariable kNormVariables[] = {
    AE_NORM_PART(1),
    AE_NORM_PART(2),
    AE_NORM_PART(3),
    AE_NORM_PART(4),
};
static_assert(sizeof kNormVariables / sizeof kNormVariables[0] == kNormVariableCount, "a norm row per category Z");
static_assert(msfa::NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define AE_GETTER(code) msfa::NormGetter(kNormVariables, code)

constexpr QelCodeList kDirectFull[kParts] = {
    {2, {10, 11}, {AE_GETTER("Zhd1_ae"), AE_GETTER("Zcd1_ae")}},
    {2, {10, 11}, {AE_GETTER("Zhd2_ae"), AE_GETTER("Zcd2_ae")}},
    {2, {10, 11}, {AE_GETTER("Zhd3_ae"), AE_GETTER("Zcd3_ae")}},
    {2, {10, 11}, {AE_GETTER("Zhd4_ae"), AE_GETTER("Zcd4_ae")}},
};
constexpr QelCodeList kDirectShort[kParts] = {
    {2, {13, 12}, {AE_GETTER("Zmd1_ae"), AE_GETTER("Zfd1_ae")}},
    {2, {13, 12}, {AE_GETTER("Zmd2_ae"), AE_GETTER("Zfd2_ae")}},
    {2, {13, 12}, {AE_GETTER("Zmd3_ae"), AE_GETTER("Zfd3_ae")}},
    {2, {13, 12}, {AE_GETTER("Zmd4_ae"), AE_GETTER("Zfd4_ae")}},
};
constexpr QelCodeList kAvertedFull[kParts] = {
    {2, {14, 15}, {AE_GETTER("Zha1_ae"), AE_GETTER("Zca1_ae")}},
    {2, {14, 15}, {AE_GETTER("Zha2_ae"), AE_GETTER("Zca2_ae")}},
    {2, {14, 15}, {AE_GETTER("Zha3_ae"), AE_GETTER("Zca3_ae")}},
    {2, {14, 15}, {AE_GETTER("Zha4_ae"), AE_GETTER("Zca4_ae")}},
};
constexpr QelCodeList kAvertedShort[kParts] = {
    {2, {17, 16}, {AE_GETTER("Zma1_ae"), AE_GETTER("Zfa1_ae")}},
    {2, {17, 16}, {AE_GETTER("Zma2_ae"), AE_GETTER("Zfa2_ae")}},
    {2, {17, 16}, {AE_GETTER("Zma3_ae"), AE_GETTER("Zfa3_ae")}},
    {2, {17, 16}, {AE_GETTER("Zma4_ae"), AE_GETTER("Zfa4_ae")}},
};

#define AE_ROW(code) msfa::RowOf(kVariables, code)
#define AE_COMBINE(P, g)                                                                                   \
  {                                                                                                        \
    AE_ROW("Th" g #P "_ae"), AE_ROW("Tc" g #P "_ae"), AE_ROW("Zh" g #P "_ae"), AE_ROW("Zc" g #P "_ae"),    \
        AE_ROW("Nm" g #P "_ae"), AE_ROW("Nf" g #P "_ae"), AE_ROW("Zm" g #P "_ae"), AE_ROW("Zf" g #P "_ae") \
  }

constexpr Combination kCombinations[kParts][2] = {
    {AE_COMBINE(1, "d"), AE_COMBINE(1, "a")},
    {AE_COMBINE(2, "d"), AE_COMBINE(2, "a")},
    {AE_COMBINE(3, "d"), AE_COMBINE(3, "a")},
    {AE_COMBINE(4, "d"), AE_COMBINE(4, "a")},
};

// The overall rows follow the groups they combine, where the run data's
// chain leaves them.
static_assert(AE_ROW("Td1_ae") == AE_ROW("Zcd1_ae") + 1 && AE_ROW("Ned1_ae") == AE_ROW("Zfd1_ae") + 1 &&
                  AE_ROW("Ta4_ae") == AE_ROW("Zca4_ae") + 1 && AE_ROW("Nea4_ae") == AE_ROW("Zfa4_ae") + 1,
              "overall rows after their groups");

}  // namespace iae

}  // namespace qel
