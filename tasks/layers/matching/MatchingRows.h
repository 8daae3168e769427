// The rows of the variable tables of the Matching Facial Emotions tasks,
// written as groups so that every code, description and flag of a group
// comes from one line, with the codes of the categories they count.
//
// A member's table: the overall rows ("Ntot", hits and correct rejections
// with eight rows each, misses and false alarms with three, "No", "Np",
// "Ni"), then the hits of every same-emotion pair (eight rows each), the
// misses of every same-emotion pair (three), the correct rejections of every
// pair of two different emotions (eight) and their false alarms (three).
// Keys name an emotion ("1" happy) or a pair of emotions, smaller digit
// first ("12" happy-sad); S is the member's suffix ("_me8").
#pragma once

#include <cstdint>

#include "include/qel/TaskEntry.h"
#include "taskfw/VariableRows.h"

namespace qel {

namespace matching {

// The category of a key: category x 4096 + 16 x the larger digit + the
// smaller one; a one-digit key is a same-emotion pair.
constexpr int32_t KeyCategory(int32_t category, const char* key) {
  const int first = key[0] - '0';
  const int second = key[1] != '\0' ? key[1] - '0' : first;
  const int high = first > second ? first : second;
  const int low = first > second ? second : first;
  return category * 4096 + 16 * high + low;
}

}  // namespace matching

#define MFE_HEAD(S) \
  { "Ntot" S, nullptr, "%.0f", "Total number of trials", VariableFlags(kVarTypeCount, 1), 1 }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define MFE_FULL(cat, key, what, group, type, S)                                                           \
  {"N" cat key S, group, "%.0f", "N " what, VariableFlags((type), 1), 1},                                  \
      {"T" cat key S, group, "%.0f", "Mean RT " what, VariableFlags((type), 2), 1},                        \
      {"S" cat key S, group, "%.0f", "SD RT " what, VariableFlags((type), 3), 1},                          \
      {"M" cat key S, group, "%.0f", "Median RT " what, VariableFlags((type), 4, kVarExtended), 1},        \
      {"L" cat key S, group, "%.3f", "Mean log(RT) " what, VariableFlags((type), 5, kVarExtended), 1},     \
      {"U" cat key S, group, "%.0f", "25% slowest RT " what, VariableFlags((type), 6, kVarExtended), 1},   \
      {"D" cat key S, group, "%.0f", "25% fastest RT " what, VariableFlags((type), 7, kVarExtended), 1}, { \
    "Z" cat key S, group, "%.2f", "Z-score RT " what, VariableFlags(kVarTypeZScore, 9, kVarZRow), 1        \
  }
// N, mean, Z of the count.
#define MFE_SHORT(cat, key, what, group, type, S)                                                   \
  {"N" cat key S, group, "%.0f", "N " what, VariableFlags((type), 1), 1},                           \
      {"T" cat key S, group, "%.0f", "Mean RT " what, VariableFlags((type), 2), 1}, {               \
    "Z" cat key S, group, "%.2f", "Z-score N " what, VariableFlags(kVarTypeZScore, 11, kVarZRow), 1 \
  }
#define MFE_TAIL(S)                                                                                      \
  {"No" S, nullptr, "%.0f", "Number omissions", VariableFlags(kVarTypeOmission, 1), 1},                  \
      {"Np" S, nullptr, "%.0f", "Number premature responses", VariableFlags(kVarTypePremature, 1), 1}, { \
    "Ni" S, nullptr, "%.0f", "Number interrupts", VariableFlags(kVarTypeInterrupt, 1), 1                 \
  }
#define MFE_OVERALL(S)                                                              \
  MFE_HEAD(S), MFE_FULL("h", "", "hits", "<HI>", kVarTypeHit, S),                   \
      MFE_FULL("c", "", "correct rejections", "<CR>", kVarTypeCorrectRejection, S), \
      MFE_SHORT("m", "", "misses", "<MI>", kVarTypeMiss, S),                        \
      MFE_SHORT("f", "", "false alarms", "<FA>", kVarTypeFalseAlarm, S), MFE_TAIL(S)

// The groups of one emotion (key, name, tag) and of one pair.
#define MFE_HIT_ROWS(key, name, tag, S) MFE_FULL("h", key, "hits " name " pairs", "<HI " tag ">", kVarTypeHit, S),
#define MFE_MISS_ROWS(key, name, tag, S) MFE_SHORT("m", key, "misses " name " pairs", "<MI " tag ">", kVarTypeMiss, S),
#define MFE_CR_ROWS(key, name, tag, S) \
  MFE_FULL("c", key, "correct rejections " name " pairs", "<CR " tag ">", kVarTypeCorrectRejection, S),
#define MFE_FA_ROWS(key, name, tag, S) \
  MFE_SHORT("f", key, "false alarms " name " pairs", "<FA " tag ">", kVarTypeFalseAlarm, S),

// Norm rows over a table `rows`: Z of a mean RT and Z of a count.
#define MFE_NORM_RT(rows, cat, key, S) \
  {RowOf(rows, "Z" cat key S), "ms", "Z" cat key S, nullptr, RowOf(rows, "T" cat key S), 0},
#define MFE_NORM_N(rows, cat, key, S) \
  {RowOf(rows, "Z" cat key S), "N", "Z" cat key S, nullptr, RowOf(rows, "N" cat key S), 0},

// A category code and the getter of its Z row, for the code lists.
#define MFE_CODE(category, key) matching::KeyCategory(category, key),
#define MFE_GETTER(norms, cat, key, S) NormGetter(norms, "Z" cat key S),

}  // namespace qel
