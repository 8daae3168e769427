// The rows are written out with macros so that every code, description and
// flag of a category comes from one line; the norm rows and the getters of
// the category lists are looked up by code at compile time.
#include "tasks/fa4l/Fa4lVariables.h"

#include "taskfw/NormGetters.h"

namespace fa4l {

namespace {

// Types by category (see the flags of the other letter task): 2 hits,
// 3 correct rejections, 4 false alarms, 5 misses.
constexpr uint32_t kHit = 2;
constexpr uint32_t kCorrectRejection = 3;
constexpr uint32_t kFalseAlarm = 4;
constexpr uint32_t kMiss = 5;

}  // namespace

#define L4_HEAD(P) {"Ntot" #P "_l4", nullptr, "%.0f", "Total number of trials part " #P, 0x10001u, P}
#define L4_FULL(cat, what, group, type, P)                                                          \
  {"N" cat #P "_l4", group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},                   \
      {"T" cat #P "_l4", group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P},         \
      {"S" cat #P "_l4", group, "%.0f", "SD RT " what " part " #P, 0x30000u | (type), P},           \
      {"M" cat #P "_l4", group, "%.0f", "Median RT " what " part " #P, 0x40020u | (type), P},       \
      {"L" cat #P "_l4", group, "%.3f", "Mean log(RT) " what " part " #P, 0x50020u | (type), P},    \
      {"U" cat #P "_l4", group, "%.0f", "25% slowest RT " what " part " #P, 0x60020u | (type), P},  \
      {"D" cat #P "_l4", group, "%.0f", "25% fastest RT " what " part " #P, 0x70020u | (type), P},  \
      {"Z" cat #P "_l4", group, "%.2f", "Z-score RT " what " part " #P, 0x90049u, P}
#define L4_SHORT(cat, what, group, type, P)                                                  \
  {"N" cat #P "_l4", group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},            \
      {"T" cat #P "_l4", group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P},  \
      {"Z" cat #P "_l4", group, "%.2f", "Z-score N " what " part " #P, 0xB0049u, P}
#define L4_TAIL(P)                                                                          \
  {"No" #P "_l4", nullptr, "%.0f", "Number omissions part " #P, 0x10007u, P},              \
      {"Np" #P "_l4", nullptr, "%.0f", "Number premature responses part " #P, 0x10006u, P}, \
      {"Ni" #P "_l4", nullptr, "%.0f", "Number interrupts part " #P, 0x10008u, P}
#define L4_PART(P)                                                                                      \
  L4_HEAD(P), L4_FULL("h", "hits", "<HI PART " #P ">", kHit, P),                                       \
      L4_FULL("cit", "correct rejections target on irrelevant position", "<CR IT PART " #P ">",         \
              kCorrectRejection, P),                                                                    \
      L4_FULL("crn", "correct rejections no target", "<CR RN PART " #P ">", kCorrectRejection, P),      \
      L4_SHORT("m", "misses", "<MI PART " #P ">", kMiss, P),                                           \
      L4_SHORT("fit", "false alarms target on irrelevant position", "<FA IT PART " #P ">", kFalseAlarm, \
               P),                                                                                      \
      L4_SHORT("frn", "false alarms no target", "<FA RN PART " #P ">", kFalseAlarm, P), L4_TAIL(P)

constexpr TaskVariableDef kVariables[] = {
    L4_PART(1),  // one memory letter
    L4_PART(2),  // three memory letters
};

#undef L4_HEAD
#undef L4_FULL
#undef L4_SHORT
#undef L4_TAIL
#undef L4_PART

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

#define L4_NORM_RT(cat, P) {Row("Z" cat #P "_l4"), "ms", "Z" cat #P "_l4", nullptr, Row("T" cat #P "_l4"), 0}
#define L4_NORM_N(cat, P) {Row("Z" cat #P "_l4"), "N", "Z" cat #P "_l4", nullptr, Row("N" cat #P "_l4"), 0}
#define L4_NORM_PART(P)                                                                             \
  L4_NORM_RT("h", P), L4_NORM_RT("cit", P), L4_NORM_RT("crn", P), L4_NORM_N("m", P), L4_NORM_N("fit", P), \
      L4_NORM_N("frn", P)

constexpr TaskNormVariable kNormVariables[] = {L4_NORM_PART(1), L4_NORM_PART(2)};

#undef L4_NORM_RT
#undef L4_NORM_N
#undef L4_NORM_PART

namespace {

constexpr bool RowsFound() {
  for (const TaskNormVariable& n : kNormVariables) {
    if (n.id < 0 || n.source < 0) return false;
  }
  return true;
}
static_assert(RowsFound(), "every norm row names a variable of the table");

constexpr QelNormGetter kGetters[kNormVariableCount] = {
    GetNormValue0, GetNormValue1, GetNormValue2, GetNormValue3, GetNormValue4,  GetNormValue5,
    GetNormValue6, GetNormValue7, GetNormValue8, GetNormValue9, GetNormValue10, GetNormValue11};

constexpr QelNormGetter Getter(const char* code) {
  for (uint32_t i = 0; i < kNormVariableCount; ++i) {
    if (SameText(kNormVariables[i].name, code)) return kGetters[i];
  }
  throw "no norm row of that name";
}

}  // namespace

constexpr QelCodeList kFullLists[kParts] = {
    {3, {1, 10, 11}, {Getter("Zh1_l4"), Getter("Zcit1_l4"), Getter("Zcrn1_l4")}},
    {3, {1, 10, 11}, {Getter("Zh2_l4"), Getter("Zcit2_l4"), Getter("Zcrn2_l4")}},
};

constexpr QelCodeList kShortLists[kParts] = {
    {3, {4, 13, 14}, {Getter("Zm1_l4"), Getter("Zfit1_l4"), Getter("Zfrn1_l4")}},
    {3, {4, 13, 14}, {Getter("Zm2_l4"), Getter("Zfit2_l4"), Getter("Zfrn2_l4")}},
};

}  // namespace fa4l
