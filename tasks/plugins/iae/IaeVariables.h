// The score variables of "Identification of Averted Facial Emotions" (224
// rows, suffix "_ae"), its norm variables (32, from the norms by name) and
// the category lists of each part. Per part: "Ntot"; for the direct gaze
// ("d") eight RT rows for hits (10) and correct rejections (11), "Mean RT
// overall" (the mean of the two) and its Z (the mean of their Z-scores),
// N / mean RT / Z of N for misses (13) and false alarms (12), "N errors
// overall" (their sum) and its Z (the mean of their Z-scores); the same for
// the averted gaze ("a", 14, 15, 17, 16); then "No", "Np", "Ni".
#pragma once

#include <cstdint>

#include "include/qel/TaskTables.h"

namespace qel {

namespace iae {

constexpr int kParts = 4;
constexpr uint32_t kVariableCount = 224;
constexpr uint32_t kNormVariableCount = 32;

// The rows the overall values of one part and gaze combine.
struct Combination {
  int32_t meanA;  // mean RT of hits and of correct rejections
  int32_t meanB;
  int32_t zMeanA;
  int32_t zMeanB;
  int32_t errorsA;  // N of misses and of false alarms
  int32_t errorsB;
  int32_t zErrorsA;
  int32_t zErrorsB;
};

extern const TaskVariableDef kVariables[kVariableCount];
extern const TaskNormVariable kNormVariables[kNormVariableCount];
extern const QelCodeList kDirectFull[kParts];
extern const QelCodeList kDirectShort[kParts];
extern const QelCodeList kAvertedFull[kParts];
extern const QelCodeList kAvertedShort[kParts];
// [part][0 direct, 1 averted]
extern const Combination kCombinations[kParts][2];

}  // namespace iae

}  // namespace qel
