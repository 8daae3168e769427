// Norm getters: free functions of the QelNormGetter type whose addresses a
// plug-in puts into its norm-variable table and code lists. Getter N asks
// the record's norm service for entry N of the plug-in's norm-variable table
// through the plug-in's one task object; the pair getters combine two such
// entries (k and k + 5) into one norm mean or SD.
#pragma once

#include <iterator>

#include "include/qel/TaskTables.h"

namespace qel {

// out = getter1 + getter2 (halved when mean is set) for the norm mean or the
// norm SD; false and 9999.0 for any other kind (a Z-score), a missing getter
// or a failing one.
bool CombineNormValues(double* out, double value, double age, int kind, QelNormGetter getter1, QelNormGetter getter2,
                       bool mean);

// How the norm values of two rows combine for a combined row: as the row's
// own value does (mean reaction times: the mean; counts: the sum).
enum class NormCombination : bool { kSum = false, kMean = true };

// Number of numbered getters GetNormValue0 .. GetNormValue75.
constexpr int kNormGetterCount = 76;

// The numbers of the numbered getters, listed once: X(n) for n = 0 .. 75.
// clang-format off
#define QEL_NORM_GETTER_NUMBERS(X) \
  X(0) X(1) X(2) X(3) X(4) X(5) X(6) X(7) X(8) X(9) X(10) X(11) \
  X(12) X(13) X(14) X(15) X(16) X(17) X(18) X(19) X(20) X(21) X(22) X(23) \
  X(24) X(25) X(26) X(27) X(28) X(29) X(30) X(31) X(32) X(33) X(34) X(35) \
  X(36) X(37) X(38) X(39) X(40) X(41) X(42) X(43) X(44) X(45) X(46) X(47) \
  X(48) X(49) X(50) X(51) X(52) X(53) X(54) X(55) X(56) X(57) X(58) X(59) \
  X(60) X(61) X(62) X(63) X(64) X(65) X(66) X(67) X(68) X(69) X(70) X(71) \
  X(72) X(73) X(74) X(75)
// clang-format on

#define QEL_DECLARE_NORM_GETTER(n) bool GetNormValue##n(double* out, double value, double age, int kind);
QEL_NORM_GETTER_NUMBERS(QEL_DECLARE_NORM_GETTER)
#undef QEL_DECLARE_NORM_GETTER

// The numbered getters by number: getter n asks for norm row n.
#define QEL_NORM_GETTER_ADDRESS(n) GetNormValue##n,
inline constexpr QelNormGetter kNormGetters[] = {QEL_NORM_GETTER_NUMBERS(QEL_NORM_GETTER_ADDRESS)};
#undef QEL_NORM_GETTER_ADDRESS
static_assert(std::size(kNormGetters) == kNormGetterCount);

// The numbered getter n, for tables built in code; null outside 0..75.
QelNormGetter NormGetterByNumber(int n);

// The getter of a combined norm row: norm mean (kind 1) and SD (kind 2) of
// the norm rows numbered First and Second of the plug-in's table, combined;
// no Z-score (kind 0) of its own.
template <int First, int Second, NormCombination How>
bool CombinedNormValue(double* out, double value, double age, int kind) {
  static_assert(First >= 0 && Second >= 0 && First < kNormGetterCount && Second < kNormGetterCount,
                "two norm rows of the table");
  return CombineNormValues(out, value, age, kind, NormGetterByNumber(First), NormGetterByNumber(Second),
                           How == NormCombination::kMean);
}

// Pair getter k combines entries k and k + 5: their mean when the plug-in's
// task sets m_pairNormMean (Pursuit: left and right hand), else their sum.
bool GetPairNormValue0(double* out, double value, double age, int kind);
bool GetPairNormValue1(double* out, double value, double age, int kind);
bool GetPairNormValue2(double* out, double value, double age, int kind);
bool GetPairNormValue3(double* out, double value, double age, int kind);
bool GetPairNormValue4(double* out, double value, double age, int kind);

}  // namespace qel
