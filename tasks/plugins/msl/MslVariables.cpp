#include "tasks/plugins/msl/MslVariables.h"

#include "tasks/layers/msfa/MsfaRows.h"

namespace qel {

namespace msl {

#define MS_HEAD(P) MSFA_HEAD(P, "_ms")
#define MS_FULL(cat, what, group, type, P) MSFA_FULL(cat, what, group, type, P, "_ms")
#define MS_SHORT(cat, what, group, type, P) MSFA_SHORT(cat, what, group, type, P, "_ms")
#define MS_TAIL(P) MSFA_TAIL(P, "_ms")

constexpr TaskVariableDef kVariables[] = {
    // First part: one memory letter.
    MS_HEAD(1),
    MS_FULL("h", "hits", "<HI PART 1>", kVarTypeHit, 1),
    MS_FULL("c0", "correct rejections 0 distractors", "<CR0 PART 1>", kVarTypeCorrectRejection, 1),
    MS_SHORT("m", "misses", "<MI PART 1>", kVarTypeMiss, 1),
    MS_SHORT("f0", "false alarms 0 distractors", "<FA0 PART 1>", kVarTypeFalseAlarm, 1),
    MS_TAIL(1),
    // Second part: two memory letters.
    MS_HEAD(2),
    MS_FULL("h", "hits", "<HI PART 2>", kVarTypeHit, 2),
    MS_FULL("c0", "correct rejections 0 distractors", "<CR0 PART 2>", kVarTypeCorrectRejection, 2),
    MS_FULL("c1", "correct rejections 1 distractor", "<CR1 PART 2>", kVarTypeCorrectRejection, 2),
    MS_SHORT("m", "misses", "<MI PART 2>", kVarTypeMiss, 2),
    MS_SHORT("f0", "false alarms 0 distractors", "<FA0 PART 2>", kVarTypeFalseAlarm, 2),
    MS_SHORT("f1", "false alarms 1 distractor", "<FA1 PART 2>", kVarTypeFalseAlarm, 2),
    MS_TAIL(2),
    // Third part: three memory letters.
    MS_HEAD(3),
    MS_FULL("h", "hits", "<HI PART 3>", kVarTypeHit, 3),
    MS_FULL("c0", "correct rejections 0 distractors", "<CR0 PART 3>", kVarTypeCorrectRejection, 3),
    MS_FULL("c1", "correct rejections 1 distractor", "<CR1 PART 3>", kVarTypeCorrectRejection, 3),
    MS_FULL("c2", "correct rejections 2 distractors", "<CR2 PART 3>", kVarTypeCorrectRejection, 3),
    MS_SHORT("m", "misses", "<MI PART 3>", kVarTypeMiss, 3),
    MS_SHORT("f0", "false alarms 0 distractors", "<FA0 PART 3>", kVarTypeFalseAlarm, 3),
    MS_SHORT("f1", "false alarms 1 distractor", "<FA1 PART 3>", kVarTypeFalseAlarm, 3),
    MS_SHORT("f2", "false alarms 2 distractors", "<FA2 PART 3>", kVarTypeFalseAlarm, 3),
    MS_TAIL(3),
};

#define MS_NORM_RT(cat, P) MSFA_NORM_RT(kVariables, cat, P, "_ms")
#define MS_NORM_N(cat, P) MSFA_NORM_N(kVariables, cat, P, "_ms")

constexpr TaskNormVariable kNormVariables[] = {
    MS_NORM_RT("h", 1),  MS_NORM_RT("c0", 1), MS_NORM_N("m", 1),   MS_NORM_N("f0", 1),  MS_NORM_RT("h", 2),
    MS_NORM_RT("c0", 2), MS_NORM_RT("c1", 2), MS_NORM_N("m", 2),   MS_NORM_N("f0", 2),  MS_NORM_N("f1", 2),
    MS_NORM_RT("h", 3),  MS_NORM_RT("c0", 3), MS_NORM_RT("c1", 3), MS_NORM_RT("c2", 3), MS_NORM_N("m", 3),
    MS_NORM_N("f0", 3),  MS_NORM_N("f1", 3),  MS_NORM_N("f2", 3),
};
static_assert(NormRowsFound(kNormVariables), "every norm row names a variable of the table");

#define MS_GETTER(code) NormGetter(kNormVariables, code)

constexpr QelCodeList kFullLists[kParts] = {
    {2, {1, 10}, {MS_GETTER("Zh1_ms"), MS_GETTER("Zc01_ms")}},
    {3, {1, 10, 11}, {MS_GETTER("Zh2_ms"), MS_GETTER("Zc02_ms"), MS_GETTER("Zc12_ms")}},
    {4, {1, 10, 11, 12}, {MS_GETTER("Zh3_ms"), MS_GETTER("Zc03_ms"), MS_GETTER("Zc13_ms"), MS_GETTER("Zc23_ms")}},
};

constexpr QelCodeList kShortLists[kParts] = {
    {2, {4, 13}, {MS_GETTER("Zm1_ms"), MS_GETTER("Zf01_ms")}},
    {3, {4, 13, 14}, {MS_GETTER("Zm2_ms"), MS_GETTER("Zf02_ms"), MS_GETTER("Zf12_ms")}},
    {4, {4, 13, 14, 15}, {MS_GETTER("Zm3_ms"), MS_GETTER("Zf03_ms"), MS_GETTER("Zf13_ms"), MS_GETTER("Zf23_ms")}},
};

#undef MS_HEAD
#undef MS_FULL
#undef MS_SHORT
#undef MS_TAIL
#undef MS_NORM_RT
#undef MS_NORM_N
#undef MS_GETTER

}  // namespace msl

}  // namespace qel
