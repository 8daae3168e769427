// A plug-in's static descriptions of its score variables and norm
// variables, read by the main program through the library record.
#pragma once

#include <cstdint>

namespace qel {

// Norm getter: kind 0 asks for the Z-score of value, 1 for the norm mean,
// 2 for the norm SD; out is 9999.0 when there is no answer.
typedef bool (*QelNormGetter)(double* out, double value, double age, int kind);

// Flags word of a score variable.
constexpr uint32_t kVarTypeMask = 0x0F;   // variable type 0..12 (13-15 count as 0)
constexpr uint32_t kVarExtended = 0x20;   // extended row: alternative caption code + 1
constexpr uint32_t kVarZRow = 0x40;       // Z row: alternative caption code + 2
constexpr uint32_t kVarDetail = 0x80;     // detail row (per-second values)
constexpr uint32_t kVarColumnShift = 16;  // bits 16-20: 1-based score column
constexpr uint32_t kVarColumnMask = 0x1F0000;
constexpr uint32_t kVarValid = 0x1000000;  // valid bit of the value in the run data

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

constexpr int32_t kNormReversed = 4;  // TaskNormVariable flags: reverse the Z sign

struct TaskNormVariable {
  int32_t id;            // index of the Z-score variable in the score-variable table
  const char* unit;      // "N", "ms", "mm", "%"
  const char* name;      // key of the norm functions, or null for a combined row
  QelNormGetter getter;  // null: the host computes from its norm functions
  int32_t source;        // index of the raw variable in the score-variable table
  int32_t flags;         // kNormReversed
};

// Code list used by the run data's per-code statistics: a count, the codes
// and one norm getter per code (null: no Z-score for that code).
struct QelCodeList {
  int32_t count;
  int32_t codes[40];
  QelNormGetter getters[40];
};

}  // namespace qel
