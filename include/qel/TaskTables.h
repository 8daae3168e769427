// A plug-in's static descriptions of its score variables and norm
// variables, read by the main program through the library record.
#pragma once

#include <cstdint>

namespace qel {

// What a norm getter and the norm service are asked for (their kind
// argument): the Z-score of a value, or the norm mean or SD at an age.
enum QelNormKind : int32_t { kNormZScore = 0, kNormMean = 1, kNormSd = 2 };

// The norm functions behind them, age-banded polynomials stored and looked
// up by the value they give (AddNormFunction, FindNormFunction, the norms
// provider): the mean's and the SD's. The two codes differ by one and are
// bound to the norms database, so the one is always derived from the other.
enum QelNormFunctionKind : int32_t { kNormFunctionMean = 0, kNormFunctionSd = 1 };
constexpr QelNormFunctionKind NormFunctionOf(QelNormKind kind) {
  return kind == kNormSd ? kNormFunctionSd : kNormFunctionMean;
}

// Norm getter: answers the kind asked for (a QelNormKind); out is 9999.0
// when there is no answer.
typedef bool (*QelNormGetter)(double* out, double value, double age, int kind);

// Flags word of a score variable: bits 0-3 its statistic type, 0x20 and 0x40
// the caption switches, 0x80 the detail bit, bits 16-20 its score column and,
// for rows of a series view, bits 24-28 their column there.
constexpr uint32_t kVarTypeMask = 0x0F;    // variable type 0..12 (13-15 count as 0)
constexpr uint32_t kVarExtended = 0x20;    // extended row: alternative caption code + 1
constexpr uint32_t kVarZRow = 0x40;        // Z row: alternative caption code + 2
constexpr uint32_t kVarDetail = 0x80;      // detail row (per-second values; series view only)
constexpr uint32_t kVarSeriesToo = 0x100;  // shown in the series view as well
constexpr uint32_t kVarColumnShift = 16;   // bits 16-20: 1-based score column
constexpr uint32_t kVarColumnMask = 0x1F0000;
constexpr uint32_t kVarSeriesColumnShift = 24;  // bits 24-28: 1-based column in the series view
constexpr uint32_t kVarSeriesColumnMask = 0x1F000000;
constexpr uint32_t kVarValid = 0x1000000;  // valid bit of the value in the run data

// Statistic types (bits 0-3 of the flags word). The type chooses the
// variable's caption (type x 3 + 17); false alarms and misses get the SD
// floor of the norms.
enum QelVariableType : uint32_t {
  kVarTypeNone = 0,
  kVarTypeCount = 1,  // a count: trials, taps
  kVarTypeHit = 2,
  kVarTypeCorrectRejection = 3,
  kVarTypeFalseAlarm = 4,
  kVarTypeMiss = 5,
  kVarTypePremature = 6,  // premature responses
  kVarTypeOmission = 7,
  kVarTypeInterrupt = 8,
  kVarTypeZScore = 9,
  kVarTypeInterval = 11,  // a time between responses
};

// The flags word of a row: its type, its score column (1-based, 0 none), the
// switch bits (kVarExtended, kVarZRow, kVarDetail, kVarSeriesToo) and, for a
// row of the series view, its column there.
constexpr uint32_t VariableFlags(uint32_t type, uint32_t column, uint32_t switches = 0, uint32_t seriesColumn = 0) {
  return (type & kVarTypeMask) | switches | ((column << kVarColumnShift) & kVarColumnMask) |
         ((seriesColumn << kVarSeriesColumnShift) & kVarSeriesColumnMask);
}
// The words plug-ins publish keep their values.
static_assert(VariableFlags(kVarTypeCount, 1) == 0x10001);
static_assert(VariableFlags(kVarTypeCount, 1, kVarExtended) == 0x10021);
static_assert(VariableFlags(kVarTypeInterval, 3, kVarExtended) == 0x3002B);
static_assert(VariableFlags(kVarTypeZScore, 5, kVarZRow) == 0x50049);
static_assert(VariableFlags(kVarTypeNone, 10, kVarDetail) == 0xA0080);
static_assert(VariableFlags(kVarTypeNone, 0, kVarDetail, 31) == 0x1F000080);

struct TaskVariableDef {
  const char* code;         // unique in the task, e.g. "Nlu_tp"
  const char* group;        // group tag such as "<LEFT>", or null
  const char* format;       // printf format of the value
  const char* description;  // text shown to the operator
  uint32_t flags;
  int32_t part;  // 1-based part the variable belongs to

  int VariableType() const {
    const int t = static_cast<int>(flags & kVarTypeMask);
    return t > 12 ? 0 : t;
  }
  // Caption code: type x 3 + 17, +1 for an extended row or +2 for a Z row
  // when the alternative caption is asked for.
  int GetCaptionCode(bool alternative) const {
    int code = VariableType() * 3 + 17;
    if (alternative) {
      if (flags & kVarExtended) code += 1;
      else if (flags & kVarZRow) code += 2;
    }
    return code;
  }
  // Score column (1-based, 0 none); extended rows need switch A, Z rows are
  // hidden by switch B.
  int GetColumn(bool switchA, bool switchB) const {
    if ((flags & kVarExtended) && !switchA) return 0;
    if ((flags & kVarZRow) && switchB) return 0;
    return static_cast<int>((flags & kVarColumnMask) >> kVarColumnShift);
  }
};

// TaskNormVariable flags.
constexpr int32_t kNormSummary = 1;    // a summary Z variable
constexpr int32_t kNormNoNormRow = 2;  // no norm row is shown for it
constexpr int32_t kNormReversed = 4;   // reverse the Z sign

struct TaskNormVariable {
  int32_t id;            // index of the Z-score variable in the score-variable table
  const char* unit;      // "N", "ms", "mm", "%"
  const char* name;      // key of the norm functions, or null for a combined row
  QelNormGetter getter;  // null: the host computes from its norm functions
  int32_t source;        // index of the raw variable in the score-variable table
  int32_t flags;         // kNormSummary, kNormNoNormRow, kNormReversed
};

// Code list used by the run data's per-code statistics: a count, the codes
// and one norm getter per code (null: no Z-score for that code).
struct QelCodeList {
  int32_t count;
  int32_t codes[40];
  QelNormGetter getters[40];
};

}  // namespace qel
