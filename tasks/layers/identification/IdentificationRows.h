// The rows of the variable tables of the identification tasks, written as
// groups per part so that every code, description and flag of a group comes
// from one line. P is the part digit (1..8), name the part's name in the
// descriptions ("happy", "direct happy"), S the task's suffix ("_ie").
//
// Per part the run data writes "Ntot", eight rows for every category of the
// full-statistics list, three for every category of the short list, then
// "No", "Np", "Ni"; the averted task adds its overall rows between (mean RT
// overall and its Z after the full statistics, N errors overall and its Z
// after the short ones).
#pragma once

#include "tasks/layers/msfa/VariableRows.h"

namespace qel {

#define IDF_HEAD(P, name, S) \
  { "Ntot" #P S, nullptr, "%.0f", "Total number of trials part " name, 0x10000u | msfa::kTypeTotal, P }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define IDF_FULL(cat, what, group, type, P, name, S)                                               \
  {"N" cat #P S, group, "%.0f", "N " what " part " name, 0x10000u | (type), P},                    \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " name, 0x20000u | (type), P},          \
      {"S" cat #P S, group, "%.0f", "SD RT " what " part " name, 0x30000u | (type), P},            \
      {"M" cat #P S, group, "%.0f", "Median RT " what " part " name, 0x40020u | (type), P},        \
      {"L" cat #P S, group, "%.3f", "Mean log(RT) " what " part " name, 0x50020u | (type), P},     \
      {"U" cat #P S, group, "%.0f", "25% slowest RT " what " part " name, 0x60020u | (type), P},   \
      {"D" cat #P S, group, "%.0f", "25% fastest RT " what " part " name, 0x70020u | (type), P}, { \
    "Z" cat #P S, group, "%.2f", "Z-score RT " what " part " name, 0x90049u, P                     \
  }
// N, mean, Z of the count.
#define IDF_SHORT(cat, what, group, type, P, name, S)                                       \
  {"N" cat #P S, group, "%.0f", "N " what " part " name, 0x10000u | (type), P},             \
      {"T" cat #P S, group, "%.0f", "Mean RT " what " part " name, 0x20000u | (type), P}, { \
    "Z" cat #P S, group, "%.2f", "Z-score N " what " part " name, 0xB0049u, P               \
  }
// The mean of two mean RTs and the mean of their Z-scores; the sum of two
// error counts and the mean of their Z-scores.
#define IDF_MEAN_RT(g, group, P, name, S)                                                    \
  {"T" g #P S, group, "%.0f", "Mean RT overall part " name, 0x20000u | msfa::kTypeHit, P}, { \
    "Z" g #P S, group, "%.2f", "Z-score mean RT overall part " name, 0x90049u, P             \
  }
#define IDF_ERRORS(g, group, P, name, S)                                                              \
  {"Ne" g #P S, group, "%.0f", "N errors overall part " name, 0x10000u | msfa::kTypeFalseAlarm, P}, { \
    "Ze" g #P S, group, "%.2f", "Z-score N errors overall part " name, 0xB0049u, P                    \
  }
#define IDF_TAIL(P, name, S)                                                                \
  {"No" #P S, nullptr, "%.0f", "Number omissions part " name, 0x10007u, P},                 \
      {"Np" #P S, nullptr, "%.0f", "Number premature responses part " name, 0x10006u, P}, { \
    "Ni" #P S, nullptr, "%.0f", "Number interrupts part " name, 0x10008u, P                 \
  }

}  // namespace qel
