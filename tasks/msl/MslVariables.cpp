// The rows are written out with macros so that every code, description and
// flag of a category comes from one line; the norm rows and the getters of
// the category lists are looked up by code at compile time, so a row that
// moves cannot leave a norm row or a getter pointing at the wrong variable.
#include "tasks/msl/MslVariables.h"

#include "taskfw/NormGetters.h"

namespace msl {

namespace {

// Flags: column in the caption table (bits 16-20), extended rows (0x20),
// Z rows (0x40 with type 9), type by category: 2 hits, 3 correct
// rejections, 4 false alarms, 5 misses; 1 totals, 7/6/8 omissions,
// premature responses, interrupts.
constexpr uint32_t kHit = 2;
constexpr uint32_t kCorrectRejection = 3;
constexpr uint32_t kFalseAlarm = 4;
constexpr uint32_t kMiss = 5;

}  // namespace

#define MS_HEAD(P) {"Ntot" #P "_ms", nullptr, "%.0f", "Total number of trials part " #P, 0x10001u, P}
#define MS_FULL(cat, what, group, type, P)                                                          \
  {"N" cat #P "_ms", group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},                   \
      {"T" cat #P "_ms", group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P},         \
      {"S" cat #P "_ms", group, "%.0f", "SD RT " what " part " #P, 0x30000u | (type), P},           \
      {"M" cat #P "_ms", group, "%.0f", "Median RT " what " part " #P, 0x40020u | (type), P},       \
      {"L" cat #P "_ms", group, "%.3f", "Mean log(RT) " what " part " #P, 0x50020u | (type), P},    \
      {"U" cat #P "_ms", group, "%.0f", "25% slowest RT " what " part " #P, 0x60020u | (type), P},  \
      {"D" cat #P "_ms", group, "%.0f", "25% fastest RT " what " part " #P, 0x70020u | (type), P},  \
      {"Z" cat #P "_ms", group, "%.2f", "Z-score RT " what " part " #P, 0x90049u, P}
#define MS_SHORT(cat, what, group, type, P)                                                  \
  {"N" cat #P "_ms", group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},            \
      {"T" cat #P "_ms", group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P},  \
      {"Z" cat #P "_ms", group, "%.2f", "Z-score N " what " part " #P, 0xB0049u, P}
#define MS_TAIL(P)                                                                      \
  {"No" #P "_ms", nullptr, "%.0f", "Number omissions part " #P, 0x10007u, P},          \
      {"Np" #P "_ms", nullptr, "%.0f", "Number premature responses part " #P, 0x10006u, P}, \
      {"Ni" #P "_ms", nullptr, "%.0f", "Number interrupts part " #P, 0x10008u, P}

constexpr TaskVariableDef kVariables[] = {
    // First part: one memory letter.
    MS_HEAD(1),
    MS_FULL("h", "hits", "<HI PART 1>", kHit, 1),
    MS_FULL("c0", "correct rejections 0 distractors", "<CR0 PART 1>", kCorrectRejection, 1),
    MS_SHORT("m", "misses", "<MI PART 1>", kMiss, 1),
    MS_SHORT("f0", "false alarms 0 distractors", "<FA0 PART 1>", kFalseAlarm, 1),
    MS_TAIL(1),
    // Second part: two memory letters.
    MS_HEAD(2),
    MS_FULL("h", "hits", "<HI PART 2>", kHit, 2),
    MS_FULL("c0", "correct rejections 0 distractors", "<CR0 PART 2>", kCorrectRejection, 2),
    MS_FULL("c1", "correct rejections 1 distractor", "<CR1 PART 2>", kCorrectRejection, 2),
    MS_SHORT("m", "misses", "<MI PART 2>", kMiss, 2),
    MS_SHORT("f0", "false alarms 0 distractors", "<FA0 PART 2>", kFalseAlarm, 2),
    MS_SHORT("f1", "false alarms 1 distractor", "<FA1 PART 2>", kFalseAlarm, 2),
    MS_TAIL(2),
    // Third part: three memory letters.
    MS_HEAD(3),
    MS_FULL("h", "hits", "<HI PART 3>", kHit, 3),
    MS_FULL("c0", "correct rejections 0 distractors", "<CR0 PART 3>", kCorrectRejection, 3),
    MS_FULL("c1", "correct rejections 1 distractor", "<CR1 PART 3>", kCorrectRejection, 3),
    MS_FULL("c2", "correct rejections 2 distractors", "<CR2 PART 3>", kCorrectRejection, 3),
    MS_SHORT("m", "misses", "<MI PART 3>", kMiss, 3),
    MS_SHORT("f0", "false alarms 0 distractors", "<FA0 PART 3>", kFalseAlarm, 3),
    MS_SHORT("f1", "false alarms 1 distractor", "<FA1 PART 3>", kFalseAlarm, 3),
    MS_SHORT("f2", "false alarms 2 distractors", "<FA2 PART 3>", kFalseAlarm, 3),
    MS_TAIL(3),
};

#undef MS_HEAD
#undef MS_FULL
#undef MS_SHORT
#undef MS_TAIL

namespace {

constexpr bool SameText(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

constexpr int32_t Row(const char* code) {
  for (uint32_t i = 0; i < kVariableCount; ++i) {
    if (SameText(kVariables[i].code, code)) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace

// Z of the mean RT (unit "ms", raw row T...) and Z of the count ("N", raw row N...).
#define MS_NORM_RT(cat, P) {Row("Z" cat #P "_ms"), "ms", "Z" cat #P "_ms", nullptr, Row("T" cat #P "_ms"), 0}
#define MS_NORM_N(cat, P) {Row("Z" cat #P "_ms"), "N", "Z" cat #P "_ms", nullptr, Row("N" cat #P "_ms"), 0}

constexpr TaskNormVariable kNormVariables[] = {
    MS_NORM_RT("h", 1), MS_NORM_RT("c0", 1), MS_NORM_N("m", 1),  MS_NORM_N("f0", 1),
    MS_NORM_RT("h", 2), MS_NORM_RT("c0", 2), MS_NORM_RT("c1", 2), MS_NORM_N("m", 2),
    MS_NORM_N("f0", 2), MS_NORM_N("f1", 2),
    MS_NORM_RT("h", 3), MS_NORM_RT("c0", 3), MS_NORM_RT("c1", 3), MS_NORM_RT("c2", 3),
    MS_NORM_N("m", 3),  MS_NORM_N("f0", 3), MS_NORM_N("f1", 3),  MS_NORM_N("f2", 3),
};

#undef MS_NORM_RT
#undef MS_NORM_N

namespace {

constexpr bool RowsFound() {
  for (const TaskNormVariable& n : kNormVariables) {
    if (n.id < 0 || n.source < 0) return false;
  }
  return true;
}
static_assert(RowsFound(), "every norm row names a variable of the table");

constexpr QelNormGetter kGetters[kNormVariableCount] = {
    GetNormValue0,  GetNormValue1,  GetNormValue2,  GetNormValue3,  GetNormValue4,  GetNormValue5,
    GetNormValue6,  GetNormValue7,  GetNormValue8,  GetNormValue9,  GetNormValue10, GetNormValue11,
    GetNormValue12, GetNormValue13, GetNormValue14, GetNormValue15, GetNormValue16, GetNormValue17};

// The getter of the norm row named code (an unknown code does not compile).
constexpr QelNormGetter Getter(const char* code) {
  for (uint32_t i = 0; i < kNormVariableCount; ++i) {
    if (SameText(kNormVariables[i].name, code)) return kGetters[i];
  }
  throw "no norm row of that name";
}

}  // namespace

constexpr QelCodeList kFullLists[kParts] = {
    {2, {1, 10}, {Getter("Zh1_ms"), Getter("Zc01_ms")}},
    {3, {1, 10, 11}, {Getter("Zh2_ms"), Getter("Zc02_ms"), Getter("Zc12_ms")}},
    {4, {1, 10, 11, 12}, {Getter("Zh3_ms"), Getter("Zc03_ms"), Getter("Zc13_ms"), Getter("Zc23_ms")}},
};

constexpr QelCodeList kShortLists[kParts] = {
    {2, {4, 13}, {Getter("Zm1_ms"), Getter("Zf01_ms")}},
    {3, {4, 13, 14}, {Getter("Zm2_ms"), Getter("Zf02_ms"), Getter("Zf12_ms")}},
    {4, {4, 13, 14, 15}, {Getter("Zm3_ms"), Getter("Zf03_ms"), Getter("Zf13_ms"), Getter("Zf23_ms")}},
};

}  // namespace msl
