// The rows are written out with macros so that every code, description and
// flag of a category comes from one line; the norm rows and the getters of
// the category lists are looked up by code at compile time.
#include "tasks/mso1/Mso1Variables.h"

#include "taskfw/NormGetters.h"

namespace mso1 {

namespace {

// Types by category: 2 hits, 4 false alarms, 5 misses.
constexpr uint32_t kHit = 2;
constexpr uint32_t kFalseAlarm = 4;
constexpr uint32_t kMiss = 5;

}  // namespace

#define MO_HEAD(P) {"Ntot" #P "_mo1", nullptr, "%.0f", "Total number of trials part " #P, 0x10001u, P}
#define MO_FULL(cat, what, group, type, P)                                                          \
  {"N" cat #P "_mo1", group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},                  \
      {"T" cat #P "_mo1", group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P},        \
      {"S" cat #P "_mo1", group, "%.0f", "SD RT " what " part " #P, 0x30000u | (type), P},          \
      {"M" cat #P "_mo1", group, "%.0f", "Median RT " what " part " #P, 0x40020u | (type), P},      \
      {"L" cat #P "_mo1", group, "%.3f", "Mean log(RT) " what " part " #P, 0x50020u | (type), P},   \
      {"U" cat #P "_mo1", group, "%.0f", "25% slowest RT " what " part " #P, 0x60020u | (type), P}, \
      {"D" cat #P "_mo1", group, "%.0f", "25% fastest RT " what " part " #P, 0x70020u | (type), P}, \
      {"Z" cat #P "_mo1", group, "%.2f", "Z-score RT " what " part " #P, 0x90049u, P}
#define MO_SHORT(cat, what, group, type, P)                                                   \
  {"N" cat #P "_mo1", group, "%.0f", "N " what " part " #P, 0x10000u | (type), P},            \
      {"T" cat #P "_mo1", group, "%.0f", "Mean RT " what " part " #P, 0x20000u | (type), P},  \
      {"Z" cat #P "_mo1", group, "%.2f", "Z-score N " what " part " #P, 0xB0049u, P}
#define MO_TAIL(P)                                                                           \
  {"No" #P "_mo1", nullptr, "%.0f", "Number omissions part " #P, 0x10007u, P},              \
      {"Np" #P "_mo1", nullptr, "%.0f", "Number premature responses part " #P, 0x10006u, P}, \
      {"Ni" #P "_mo1", nullptr, "%.0f", "Number interrupts part " #P, 0x10008u, P}
#define MO_PART(P)                                                                                 \
  MO_HEAD(P), MO_FULL("h", "hits", "<HI PART " #P ">", kHit, P),                                  \
      MO_SHORT("m", "misses", "<MI PART " #P ">", kMiss, P),                                      \
      MO_SHORT("f", "false alarms", "<FA PART " #P ">", kFalseAlarm, P), MO_TAIL(P)

constexpr TaskVariableDef kVariables[] = {
    MO_PART(1),  // one memory picture
    MO_PART(2),  // two memory pictures
};

#undef MO_HEAD
#undef MO_FULL
#undef MO_SHORT
#undef MO_TAIL
#undef MO_PART

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

#define MO_NORM_RT(cat, P) {Row("Z" cat #P "_mo1"), "ms", "Z" cat #P "_mo1", nullptr, Row("T" cat #P "_mo1"), 0}
#define MO_NORM_N(cat, P) {Row("Z" cat #P "_mo1"), "N", "Z" cat #P "_mo1", nullptr, Row("N" cat #P "_mo1"), 0}

constexpr TaskNormVariable kNormVariables[] = {
    MO_NORM_RT("h", 1), MO_NORM_N("m", 1), MO_NORM_N("f", 1),
    MO_NORM_RT("h", 2), MO_NORM_N("m", 2), MO_NORM_N("f", 2),
};

#undef MO_NORM_RT
#undef MO_NORM_N

namespace {

constexpr bool RowsFound() {
  for (const TaskNormVariable& n : kNormVariables) {
    if (n.id < 0 || n.source < 0) return false;
  }
  return true;
}
static_assert(RowsFound(), "every norm row names a variable of the table");

constexpr QelNormGetter kGetters[kNormVariableCount] = {GetNormValue0, GetNormValue1, GetNormValue2,
                                                        GetNormValue3, GetNormValue4, GetNormValue5};

constexpr QelNormGetter Getter(const char* code) {
  for (uint32_t i = 0; i < kNormVariableCount; ++i) {
    if (SameText(kNormVariables[i].name, code)) return kGetters[i];
  }
  throw "no norm row of that name";
}

}  // namespace

constexpr QelCodeList kFullLists[kParts] = {
    {1, {1}, {Getter("Zh1_mo1")}},
    {1, {1}, {Getter("Zh2_mo1")}},
};

constexpr QelCodeList kShortLists[kParts] = {
    {2, {4, 3}, {Getter("Zm1_mo1"), Getter("Zf1_mo1")}},
    {2, {4, 3}, {Getter("Zm2_mo1"), Getter("Zf2_mo1")}},
};

}  // namespace mso1
