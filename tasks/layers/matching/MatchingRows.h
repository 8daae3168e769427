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
#include "tasks/layers/msfa/VariableRows.h"

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
  { "Ntot" S, nullptr, "%.0f", "Total number of trials", 0x10000u | msfa::kTypeTotal, 1 }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define MFE_FULL(cat, key, what, group, type, S)                                      \
  {"N" cat key S, group, "%.0f", "N " what, 0x10000u | (type), 1},                    \
      {"T" cat key S, group, "%.0f", "Mean RT " what, 0x20000u | (type), 1},          \
      {"S" cat key S, group, "%.0f", "SD RT " what, 0x30000u | (type), 1},            \
      {"M" cat key S, group, "%.0f", "Median RT " what, 0x40020u | (type), 1},        \
      {"L" cat key S, group, "%.3f", "Mean log(RT) " what, 0x50020u | (type), 1},     \
      {"U" cat key S, group, "%.0f", "25% slowest RT " what, 0x60020u | (type), 1},   \
      {"D" cat key S, group, "%.0f", "25% fastest RT " what, 0x70020u | (type), 1}, { \
    "Z" cat key S, group, "%.2f", "Z-score RT " what, 0x90049u, 1                     \
  }
// N, mean, Z of the count.
#define MFE_SHORT(cat, key, what, group, type, S)                              \
  {"N" cat key S, group, "%.0f", "N " what, 0x10000u | (type), 1},             \
      {"T" cat key S, group, "%.0f", "Mean RT " what, 0x20000u | (type), 1}, { \
    "Z" cat key S, group, "%.2f", "Z-score N " what, 0xB0049u, 1               \
  }
#define MFE_TAIL(S)                                                           \
  {"No" S, nullptr, "%.0f", "Number omissions", 0x10007u, 1},                 \
      {"Np" S, nullptr, "%.0f", "Number premature responses", 0x10006u, 1}, { \
    "Ni" S, nullptr, "%.0f", "Number interrupts", 0x10008u, 1                 \
  }
#define MFE_OVERALL(S)                                                                 \
  MFE_HEAD(S), MFE_FULL("h", "", "hits", "<HI>", msfa::kTypeHit, S),                   \
      MFE_FULL("c", "", "correct rejections", "<CR>", msfa::kTypeCorrectRejection, S), \
      MFE_SHORT("m", "", "misses", "<MI>", msfa::kTypeMiss, S),                        \
      MFE_SHORT("f", "", "false alarms", "<FA>", msfa::kTypeFalseAlarm, S), MFE_TAIL(S)

// The groups of one emotion (key, name, tag) and of one pair.
#define MFE_HIT_ROWS(key, name, tag, S) MFE_FULL("h", key, "hits " name " pairs", "<HI " tag ">", msfa::kTypeHit, S),
#define MFE_MISS_ROWS(key, name, tag, S) \
  MFE_SHORT("m", key, "misses " name " pairs", "<MI " tag ">", msfa::kTypeMiss, S),
#define MFE_CR_ROWS(key, name, tag, S) \
  MFE_FULL("c", key, "correct rejections " name " pairs", "<CR " tag ">", msfa::kTypeCorrectRejection, S),
#define MFE_FA_ROWS(key, name, tag, S) \
  MFE_SHORT("f", key, "false alarms " name " pairs", "<FA " tag ">", msfa::kTypeFalseAlarm, S),

// Norm rows over a table `rows`: Z of a mean RT and Z of a count.
#define MFE_NORM_RT(rows, cat, key, S) \
  {msfa::RowOf(rows, "Z" cat key S), "ms", "Z" cat key S, nullptr, msfa::RowOf(rows, "T" cat key S), 0},
#define MFE_NORM_N(rows, cat, key, S) \
  {msfa::RowOf(rows, "Z" cat key S), "N", "Z" cat key S, nullptr, msfa::RowOf(rows, "N" cat key S), 0},

// A category code and the getter of its Z row, for the code lists.
#define MFE_CODE(category, key) matching::KeyCategory(category, key),
#define MFE_GETTER(norms, cat, key, S) msfa::NormGetter(norms, "Z" cat key S),

}  // namespace qel
