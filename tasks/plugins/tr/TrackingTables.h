// Tracking's published tables: part and version names, the 168 score
// variables (78 per hand: samples, time, the four kinds of samples, the
// deviation statistics and the mean deviation of 60 sectors of 6 degrees;
// 12 for both hands), the 9 norm variables, the captions, the task
// description and the text ids by language.
#pragma once

#include <array>
#include <cstdint>

#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"
#include "tasks/layers/mouse/MouseVariableRows.h"
#include "tasks/layers/mouse/TaskMouse.h"

namespace qel {

namespace tracking {

constexpr int kPartCount = 2;
constexpr int kSectorCount = 60;
constexpr int kHandSummaryRows = 18;
constexpr int kHandRows = kHandSummaryRows + kSectorCount;  // 78
constexpr int kOverallRows = 12;
constexpr int kVariableCount = 2 * kHandRows + kOverallRows;  // 168
constexpr int kNormVariableCount = 9;
constexpr int kCaptionCount = 12;
constexpr int kSecondCaptionCount = 10;

// The rows of a hand, from its first row.
enum HandRow : int {
  kRowSamples = 0,
  kRowTime = 1,
  kRowForwardIn = 2,     // N, %, Z of %
  kRowBackwardIn = 5,    // N, %
  kRowForwardOut = 7,    // N, %
  kRowBackwardOut = 9,   // N, %
  kRowDeviation = 11,    // N, D, S, Z of S
  kRowAbsolute = 15,     // Da, Ma, Z of Da
  kRowFirstSector = 18,  // D of sectors 1..60
};
// The hand rows the rows of both hands combine, in order.
constexpr int kCombinedHandRows[kOverallRows] = {1, 3, 4, 6, 8, 10, 12, 13, 14, 15, 16, 17};

namespace detail {

constexpr std::array<mouse::DetailRowTexts, 2 * kSectorCount> MakeAllSectorTexts() {
  std::array<mouse::DetailRowTexts, 2 * kSectorCount> all{};
  for (int hand = 0; hand < 2; ++hand) {
    for (int s = 1; s <= kSectorCount; ++s) {
      all[hand * kSectorCount + s - 1] = mouse::MakeDetailRowTexts(hand, s, 2, "_tr", "SECT", "sector");
    }
  }
  return all;
}

}  // namespace detail

inline constexpr std::array<mouse::DetailRowTexts, 2 * kSectorCount> kSectorTexts = detail::MakeAllSectorTexts();

namespace flags {
using mouse::Column;
using mouse::ZFlags;
constexpr uint32_t kCount = Column(1) | 1u;
constexpr uint32_t kTime = Column(1);
constexpr uint32_t kPercent = Column(2);
constexpr uint32_t kZPercent = ZFlags(4);
constexpr uint32_t kMean = Column(5);
constexpr uint32_t kSd = Column(6);
constexpr uint32_t kZSd = ZFlags(8);
constexpr uint32_t kAbsolute = Column(9);
constexpr uint32_t kMedian = Column(12);
constexpr uint32_t kZAbsolute = ZFlags(11);
}  // namespace flags

#define QEL_TR_HAND(h, hand, L, part)                                                                       \
  {"Nsam" h "_tr", nullptr, "%.0f", "N samples " hand, flags::kCount, part},                                \
      {"T" h "_tr", nullptr, "%.2f", "Time " hand, flags::kTime, part},                                     \
      {"Nfi" h "_tr", "<" L " FORWARD IN>", "%.0f", "N samples forward in " hand, flags::kCount, part},     \
      {"Pfi" h "_tr", "<" L " FORWARD IN>", "%.2f", "% forward in " hand, flags::kPercent, part},           \
      {"ZPfi" h "_tr", "<" L " FORWARD IN>", "%.2f", "Z-score % forward in " hand, flags::kZPercent, part}, \
      {"Nbi" h "_tr", "<" L " BACKWARD IN>", "%.0f", "N samples backward in " hand, flags::kCount, part},   \
      {"Pbi" h "_tr", "<" L " BACKWARD IN>", "%.2f", "% backward in " hand, flags::kPercent, part},         \
      {"Nfo" h "_tr", "<" L " FORWARD OUT>", "%.0f", "N samples forward out " hand, flags::kCount, part},   \
      {"Pfo" h "_tr", "<" L " FORWARD OUT>", "%.2f", "% forward out " hand, flags::kPercent, part},         \
      {"Nbo" h "_tr", "<" L " BACKWARD OUT>", "%.0f", "N samples backward out " hand, flags::kCount, part}, \
      {"Pbo" h "_tr", "<" L " BACKWARD OUT>", "%.2f", "% backward out " hand, flags::kPercent, part},       \
      {"N" h "_tr", "<LEFT>", "%.0f", "N samples " hand, flags::kCount, part},                              \
      {"D" h "_tr", "<LEFT>", "%.2f", "Mean deviation " hand, flags::kMean, part},                          \
      {"S" h "_tr", "<LEFT>", "%.2f", "SD deviation " hand, flags::kSd, part},                              \
      {"ZS" h "_tr", "<LEFT>", "%.2f", "Z-score SD deviation " hand, flags::kZSd, part},                    \
      {"Da" h "_tr", "<LEFT>", "%.2f", "Mean absolute deviation " hand, flags::kAbsolute, part},            \
      {"Ma" h "_tr", "<LEFT>", "%.2f", "Median absolute deviation " hand, flags::kMedian, part}, {          \
    "ZDa" h "_tr", "<LEFT>", "%.2f", "Z-score mean absolute deviation " hand, flags::kZAbsolute, part       \
  }

struct VariableTable {
  TaskVariableDef rows[kVariableCount];
};

namespace detail {

constexpr VariableTable MakeVariables() {
  VariableTable t{};
  const TaskVariableDef hands[2][kHandSummaryRows] = {{QEL_TR_HAND("l", "left hand", "L", 1)},
                                                      {QEL_TR_HAND("r", "right hand", "R", 2)}};
  for (int hand = 0; hand < 2; ++hand) {
    const int first = hand * kHandRows;
    for (int i = 0; i < kHandSummaryRows; ++i) {
      t.rows[first + i] = hands[hand][i];
      // The deviation rows are grouped by hand.
      if (i >= kRowDeviation) t.rows[first + i].group = hand == 0 ? "<LEFT>" : "<RIGHT>";
    }
    for (int s = 1; s <= kSectorCount; ++s) {
      const mouse::DetailRowTexts& texts = kSectorTexts[hand * kSectorCount + s - 1];
      t.rows[first + kRowFirstSector + s - 1] =
          TaskVariableDef{texts.code, texts.group, "%.2f", texts.description, mouse::DetailFlags(s), hand + 1};
    }
  }
  const TaskVariableDef overall[kOverallRows] = {
      {"T_tr", nullptr, "%.2f", "Time overall", flags::kTime, 0},
      {"Pfi_tr", "<O FORWARD IN>", "%.2f", "% forward in overall", flags::kPercent, 0},
      {"ZPfi_tr", "<O FORWARD IN>", "%.2f", "Z-score % forward in overall", flags::kZPercent, 0},
      {"Pbi_tr", "<O BACKWARD IN>", "%.2f", "% backward in overall", flags::kPercent, 0},
      {"Pfo_tr", "<O FORWARD OUT>", "%.2f", "% forward out overall", flags::kPercent, 0},
      {"Pbo_tr", "<O BACKWARD OUT>", "%.2f", "% backward out overall", flags::kPercent, 0},
      {"D_tr", "<OVERALL>", "%.2f", "Mean deviation overall", flags::kMean, 0},
      {"S_tr", "<OVERALL>", "%.2f", "SD deviation overall", flags::kSd, 0},
      {"ZS_tr", "<OVERALL>", "%.2f", "Z-score SD deviation overall", flags::kZSd, 0},
      {"Da_tr", "<OVERALL>", "%.2f", "Mean absolute deviation overall", flags::kAbsolute, 0},
      {"Ma_tr", "<OVERALL>", "%.2f", "Median absolute deviation overall", flags::kMedian, 0},
      {"ZDa_tr", "<OVERALL>", "%.2f", "Z-score mean absolute deviation overall", flags::kZAbsolute, 0},
  };
  for (int i = 0; i < kOverallRows; ++i) t.rows[2 * kHandRows + i] = overall[i];
  return t;
}

}  // namespace detail

#undef QEL_TR_HAND

inline constexpr VariableTable kVariableTable = detail::MakeVariables();
inline constexpr const TaskVariableDef (&kVariables)[kVariableCount] = kVariableTable.rows;

extern const char* const kPartNames[kPartCount];
extern const char* const kVersionNames[1];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const char* const kCaptions[kCaptionCount];
extern const char* const kSecondCaptions[kSecondCaptionCount];
extern const QelTaskDescription kDescription;

// TEXT ids by language (English, Dutch, Italian).
extern const MouseTaskTexts kTexts[3];

}  // namespace tracking

}  // namespace qel
