// Pursuit's published tables: part and version names, the 1232 score
// variables (the summary of each hand, of both hands, and the mean
// deviation of every second of each hand), the 15 norm variables, the
// captions, the task description and the text ids by language.
#pragma once

#include <array>
#include <cstdint>

#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"
#include "tasks/layers/mouse/MouseVariableRows.h"
#include "tasks/layers/mouse/TaskMouse.h"

namespace qel {

namespace pursuit {

constexpr int kPartCount = 2;
constexpr int kSummaryRows = 11;  // per hand: N, D, ZD, S, ZS, P3, Z3, P6, Z6, P12, Z12
constexpr int kOverallRows = 10;  // both hands: D .. Z12
constexpr int kSecondsPerHand = 600;
constexpr int kFirstSecondRow = 2 * kSummaryRows + kOverallRows;       // 32
constexpr int kVariableCount = kFirstSecondRow + 2 * kSecondsPerHand;  // 1232
constexpr int kNormVariableCount = 15;
constexpr int kCaptionCount = 13;
constexpr int kSecondCaptionCount = 10;

// The per-second rows come in blocks of seconds; a block holds the left
// hand's seconds, then the right hand's.
constexpr int kSecondBlockCount = 4;
constexpr int kSecondBlockEnds[kSecondBlockCount + 1] = {0, 60, 120, 300, 600};

// The variable row of second s (1..600) of a hand (0 left, 1 right).
constexpr int SecondRow(int hand, int second) {
  int row = kFirstSecondRow;
  for (int b = 0; b < kSecondBlockCount; ++b) {
    const int from = kSecondBlockEnds[b];
    const int to = kSecondBlockEnds[b + 1];
    if (second > from && second <= to) return row + hand * (to - from) + (second - from - 1);
    row += 2 * (to - from);
  }
  return -1;
}

// The texts of the per-second rows, in row order.
namespace detail {

constexpr std::array<mouse::DetailRowTexts, 2 * kSecondsPerHand> MakeAllSecondTexts() {
  std::array<mouse::DetailRowTexts, 2 * kSecondsPerHand> all{};
  for (int hand = 0; hand < 2; ++hand) {
    for (int second = 1; second <= kSecondsPerHand; ++second) {
      all[SecondRow(hand, second) - kFirstSecondRow] =
          mouse::MakeDetailRowTexts(hand, second, 3, "_pu", "SEC", "second");
    }
  }
  return all;
}

}  // namespace detail

inline constexpr std::array<mouse::DetailRowTexts, 2 * kSecondsPerHand> kSecondTexts = detail::MakeAllSecondTexts();

// Flags of the rows: type, Z row and score column (the caption table's).
namespace flags {
using mouse::Column;
using mouse::ZFlags;
constexpr uint32_t kCount = Column(1) | 1u;
constexpr uint32_t kMean = Column(2);
constexpr uint32_t kZMean = ZFlags(4);
constexpr uint32_t kSd = Column(5);
constexpr uint32_t kZSd = ZFlags(7);
constexpr uint32_t kP3 = Column(8);
constexpr uint32_t kZP3 = ZFlags(9);
constexpr uint32_t kP6 = Column(10);
constexpr uint32_t kZP6 = ZFlags(11);
constexpr uint32_t kP12 = Column(12);
constexpr uint32_t kZP12 = ZFlags(13);
}  // namespace flags

#define QEL_PU_HAND(h, hand, group, part)                                                      \
  {"N" h "_pu", group, "%.0f", "N samples " hand, flags::kCount, part},                        \
      {"D" h "_pu", group, "%.2f", "Mean deviation " hand, flags::kMean, part},                \
      {"ZD" h "_pu", group, "%.2f", "Z-score mean deviation " hand, flags::kZMean, part},      \
      {"S" h "_pu", group, "%.2f", "SD deviation " hand, flags::kSd, part},                    \
      {"ZS" h "_pu", group, "%.2f", "Z-score SD deviation " hand, flags::kZSd, part},          \
      {"P3" h "_pu", group, "%.2f", "% samples within 3 mm " hand, flags::kP3, part},          \
      {"Z3" h "_pu", group, "%.2f", "Z-score % samples within 3 mm " hand, flags::kZP3, part}, \
      {"P6" h "_pu", group, "%.2f", "% samples within 6 mm " hand, flags::kP6, part},          \
      {"Z6" h "_pu", group, "%.2f", "Z-score % samples within 6 mm " hand, flags::kZP6, part}, \
      {"P12" h "_pu", group, "%.2f", "% samples within 12 mm " hand, flags::kP12, part}, {     \
    "Z12" h "_pu", group, "%.2f", "Z-score % samples within 12 mm " hand, flags::kZP12, part   \
  }

struct VariableTable {
  TaskVariableDef rows[kVariableCount];
};

namespace detail {

constexpr VariableTable MakeVariables() {
  VariableTable t{{
      QEL_PU_HAND("l", "left hand", "<LEFT>", 1),
      QEL_PU_HAND("r", "right hand", "<RIGHT>", 2),
      {"D_pu", "<OVERALL>", "%.2f", "Mean deviation (Dl_pu + Dr_pu)/2", flags::kMean, 0},
      {"ZD_pu", "<OVERALL>", "%.2f", "Z-score mean deviation (ZDl_pu + ZDr_pu)/2", flags::kZMean, 0},
      {"S_pu", "<OVERALL>", "%.2f", "SD deviation (Sl_pu + Sr_pu)/2", flags::kSd, 0},
      {"ZS_pu", "<OVERALL>", "%.2f", "Z-score SD deviation (ZSl_pu + ZSr_pu)/2", flags::kZSd, 0},
      {"P3_pu", "<OVERALL>", "%.2f", "% samples within 3 mm (P3l_pu + P3r_pu)/2", flags::kP3, 0},
      {"Z3_pu", "<OVERALL>", "%.2f", "Z-score % samples within 3 mm (Z3l_pu + Z3r_pu)/2", flags::kZP3, 0},
      {"P6_pu", "<OVERALL>", "%.2f", "% samples within 6 mm (P6l_pu + P6r_pu)/2", flags::kP6, 0},
      {"Z6_pu", "<OVERALL>", "%.2f", "Z-score % samples within 6 mm (Z6l_pu + Z6r_pu)/2", flags::kZP6, 0},
      {"P12_pu", "<OVERALL>", "%.2f", "% samples within 12 mm (P12l_pu + P12r_pu)/2", flags::kP12, 0},
      {"Z12_pu", "<OVERALL>", "%.2f", "Z-score % samples within 12 mm (Z12l_pu + Z12r_pu)/2", flags::kZP12, 0},
  }};
  for (int hand = 0; hand < 2; ++hand) {
    for (int second = 1; second <= kSecondsPerHand; ++second) {
      const int row = SecondRow(hand, second);
      const mouse::DetailRowTexts& s = kSecondTexts[row - kFirstSecondRow];
      t.rows[row] = TaskVariableDef{s.code, s.group, "%.2f", s.description, mouse::DetailFlags(second), hand + 1};
    }
  }
  return t;
}

}  // namespace detail

#undef QEL_PU_HAND

inline constexpr VariableTable kVariableTable = detail::MakeVariables();
inline constexpr const TaskVariableDef (&kVariables)[kVariableCount] = kVariableTable.rows;

// First row of a hand's summary (0 left, 1 right), and of both hands.
constexpr int kHandFirstRow[kPartCount] = {0, kSummaryRows};
constexpr int kOverallFirstRow = 2 * kSummaryRows;

extern const char* const kPartNames[kPartCount];
extern const char* const kVersionNames[1];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const char* const kCaptions[kCaptionCount];
extern const char* const kSecondCaptions[kSecondCaptionCount];
extern const QelTaskDescription kDescription;

// TEXT ids by language (English, Dutch, Italian).
extern const MouseTaskTexts kTexts[3];

}  // namespace pursuit

}  // namespace qel
