// Groups of rows of the sustained-attention tasks' variable tables (the
// order of SustainedScoring.h), each written once with the task's code
// suffix S (a string literal such as "_sd"), and the norm rows found by
// code. Part field 0: the tasks have one part.
#pragma once

#include <cstdint>

#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"
#include "taskfw/VariableRows.h"

namespace qel {

namespace sustained {

// Variable types (flags bits 0-3): those of the memory-search tables, and
// the outcome counts.

// The statistic type of the series' completion times.
constexpr uint32_t kTypeCompletionTime = 12;

// Flags of the series rows as the tables publish them: the score column,
// the column of the second caption table, the detail bit and the type.
constexpr uint32_t kSeriesMeanFlags = VariableFlags(kTypeCompletionTime, 12, kVarDetail | kVarSeriesToo, 1);
constexpr uint32_t kSeriesSdFlags = VariableFlags(kVarTypeNone, 13, kVarDetail | kVarSeriesToo, 2);
constexpr uint32_t kSeriesMeanZFlags = VariableFlags(kVarTypeZScore, 15, kVarZRow | kVarDetail | kVarSeriesToo, 4);
constexpr uint32_t kSeriesSdZFlags = VariableFlags(kVarTypeZScore, 17, kVarZRow | kVarDetail | kVarSeriesToo, 6);
constexpr uint32_t kSeriesTimeFlags = VariableFlags(kTypeCompletionTime, 0, kVarDetail, 1);
// A count within one series: its second-caption column and type.
constexpr uint32_t SeriesCountFlags(uint32_t secondColumn, uint32_t type) {
  return VariableFlags(type, 0, kVarDetail, secondColumn);
}

// The caption table of the three tasks: the framework's eleven captions,
// then the six of the series rows (the first six of their second tables).
inline constexpr int kCaptionCount = 17;
inline const char* const kCaptions[kCaptionCount] = {"N",     "RT",    "SD",    "Median", "Log(RT)", "RT25s",
                                                     "RT25f", "n(RT)", "z(RT)", "n(N)",   "z(N)",    "T",
                                                     "SD",    "n(T)",  "z(T)",  "n(SD)",  "z(SD)"};

// The timing presets of the two tasks with pictures (objects and dots):
// self-paced, answers up to 6 s and the next picture 250 ms later; paced, a
// picture every 2.1 s with answers up to 1.6 s; a fixed display of 2 s.
inline constexpr QelTimingPreset kSelfPaced{{0, 0, 0, 0, 200, 6000, 1, 250, 250}};
inline constexpr QelTimingPreset kPaced{{0, 0, 0, 1, 200, 1600, 1, 1850, 1850}};
inline constexpr QelTimingPreset kFixedDisplay{{1, 2000, 2000, 0, 200, 6000, 1, 250, 250}};

}  // namespace sustained

// Rows 0-5: trials and the five series rows.
#define SUSTAINED_HEAD(S)                                                                                             \
  {"Ntrl" S, nullptr, "%.0f", "Number of trials in all completed series", VariableFlags(kVarTypeCount, 1), 0},        \
      {"Nser" S, "<SERIES_MEAN>", "%.0f", "Number of completed series", VariableFlags(kVarTypeCount, 1), 0},          \
      {"Tser" S, "<SERIES_MEAN>", "%.2f", "Mean series completion time", sustained::kSeriesMeanFlags, 0},             \
      {"Sser" S, "<SERIES_MEAN>", "%.2f", "SD series completion time", sustained::kSeriesSdFlags, 0},                 \
      {"ZTser" S, "<SERIES_MEAN>", "%.2f", "Z-score mean series completion time", sustained::kSeriesMeanZFlags, 0}, { \
    "ZSser" S, "<SERIES_MEAN>", "%.2f", "Z-score SD series completion time", sustained::kSeriesSdZFlags, 0            \
  }
// N, mean, SD, median, mean log, 25 % slowest, 25 % fastest, Z of the mean.
#define SUSTAINED_FULL(cat, what, group, type, S)                                                      \
  {"N" cat S, group, "%.0f", "N " what, VariableFlags((type), 1), 0},                                  \
      {"T" cat S, group, "%.0f", "Mean RT " what, VariableFlags((type), 2), 0},                        \
      {"S" cat S, group, "%.0f", "SD RT " what, VariableFlags((type), 3), 0},                          \
      {"M" cat S, group, "%.0f", "Median RT " what, VariableFlags((type), 4, kVarExtended), 0},        \
      {"L" cat S, group, "%.3f", "Mean log(RT) " what, VariableFlags((type), 5, kVarExtended), 0},     \
      {"U" cat S, group, "%.0f", "25% slowest RT " what, VariableFlags((type), 6, kVarExtended), 0},   \
      {"D" cat S, group, "%.0f", "25% fastest RT " what, VariableFlags((type), 7, kVarExtended), 0}, { \
    "Z" cat S, group, "%.2f", "Z-score RT " what, VariableFlags(kVarTypeZScore, 9, kVarZRow), 0        \
  }
// N, mean, Z of the count.
#define SUSTAINED_SHORT(cat, what, group, type, S)                                              \
  {"N" cat S, group, "%.0f", "N " what, VariableFlags((type), 1), 0},                           \
      {"T" cat S, group, "%.0f", "Mean RT " what, VariableFlags((type), 2), 0}, {               \
    "Z" cat S, group, "%.2f", "Z-score N " what, VariableFlags(kVarTypeZScore, 11, kVarZRow), 0 \
  }
// After an error: N and mean (and SD).
#define SUSTAINED_AFTER_ERROR(cat, what, group, type, S)                                  \
  {"N" cat S, group, "%.0f", "N " what " after error", VariableFlags((type), 1), 0}, {    \
    "T" cat S, group, "%.0f", "Mean RT " what " after error", VariableFlags((type), 2), 0 \
  }
#define SUSTAINED_AFTER_ERROR_SD(cat, what, group, type, S)                             \
  SUSTAINED_AFTER_ERROR(cat, what, group, type, S), {                                   \
    "S" cat S, group, "%.0f", "SD RT " what " after error", VariableFlags((type), 3), 0 \
  }
// Omissions, premature responses, interrupts.
#define SUSTAINED_TAIL(S)                                                                                \
  {"No" S, nullptr, "%.0f", "Number omissions", VariableFlags(kVarTypeOmission, 1), 0},                  \
      {"Np" S, nullptr, "%.0f", "Number premature responses", VariableFlags(kVarTypePremature, 1), 0}, { \
    "Ni" S, nullptr, "%.0f", "Number interrupts", VariableFlags(kVarTypeInterrupt, 1), 0                 \
  }

// The per-series groups of a task: SERIES(number) gives one series' rows.
// Numbers P1 .. P9 (P "0" or "00" for leading zeros) and D0 .. D9.
#define SUSTAINED_SERIES_1_TO_9(SERIES, P)                                                                 \
  SERIES(P "1"), SERIES(P "2"), SERIES(P "3"), SERIES(P "4"), SERIES(P "5"), SERIES(P "6"), SERIES(P "7"), \
      SERIES(P "8"), SERIES(P "9")
#define SUSTAINED_SERIES_DECADE(SERIES, D) SERIES(D "0"), SUSTAINED_SERIES_1_TO_9(SERIES, D)

// Norm rows over a table `rows`: the series mean and SD (in the unit given),
// Z of a mean RT ("ms", raw row T...), Z of a count ("N", raw row N...).
#define SUSTAINED_NORM_SERIES(rows, unit, S)                                      \
  {RowOf(rows, "ZTser" S), unit, "ZTser" S, nullptr, RowOf(rows, "Tser" S), 0}, { \
    RowOf(rows, "ZSser" S), unit, "ZSser" S, nullptr, RowOf(rows, "Sser" S), 0    \
  }
#define SUSTAINED_NORM_RT(rows, cat, S) \
  { RowOf(rows, "Z" cat S), "ms", "Z" cat S, nullptr, RowOf(rows, "T" cat S), 0 }
#define SUSTAINED_NORM_N(rows, cat, S) \
  { RowOf(rows, "Z" cat S), "N", "Z" cat S, nullptr, RowOf(rows, "N" cat S), 0 }

}  // namespace qel
