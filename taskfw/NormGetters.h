// Norm getters: free functions of the QelNormGetter type whose addresses a
// plug-in puts into its norm-variable table and code lists. Getter N asks
// the record's norm service for entry N of the plug-in's norm-variable table
// through the plug-in's one task object; the pair getters combine two such
// entries (k and k + 5) into one norm mean or SD.
#pragma once

#include "include/qel/TaskTables.h"

namespace qel {

// out = getter1 + getter2 (halved when mean is set) for kind 1 (norm mean)
// or 2 (norm SD); false and 9999.0 for any other kind, a missing getter or a
// failing one.
bool CombineNormValues(double* out, double value, double age, int kind, QelNormGetter getter1, QelNormGetter getter2,
                       bool mean);

#define QEL_DECLARE_NORM_GETTER(n) bool GetNormValue##n(double* out, double value, double age, int kind);
QEL_DECLARE_NORM_GETTER(0)
QEL_DECLARE_NORM_GETTER(1) QEL_DECLARE_NORM_GETTER(2) QEL_DECLARE_NORM_GETTER(3) QEL_DECLARE_NORM_GETTER(
    4) QEL_DECLARE_NORM_GETTER(5) QEL_DECLARE_NORM_GETTER(6) QEL_DECLARE_NORM_GETTER(7) QEL_DECLARE_NORM_GETTER(8)
    QEL_DECLARE_NORM_GETTER(9) QEL_DECLARE_NORM_GETTER(10) QEL_DECLARE_NORM_GETTER(11) QEL_DECLARE_NORM_GETTER(
        12) QEL_DECLARE_NORM_GETTER(13) QEL_DECLARE_NORM_GETTER(14) QEL_DECLARE_NORM_GETTER(15)
        QEL_DECLARE_NORM_GETTER(16) QEL_DECLARE_NORM_GETTER(17) QEL_DECLARE_NORM_GETTER(18) QEL_DECLARE_NORM_GETTER(
            19) QEL_DECLARE_NORM_GETTER(20) QEL_DECLARE_NORM_GETTER(21) QEL_DECLARE_NORM_GETTER(22)
            QEL_DECLARE_NORM_GETTER(23) QEL_DECLARE_NORM_GETTER(24) QEL_DECLARE_NORM_GETTER(25) QEL_DECLARE_NORM_GETTER(
                26) QEL_DECLARE_NORM_GETTER(27) QEL_DECLARE_NORM_GETTER(28) QEL_DECLARE_NORM_GETTER(29)
                QEL_DECLARE_NORM_GETTER(30) QEL_DECLARE_NORM_GETTER(31) QEL_DECLARE_NORM_GETTER(
                    32) QEL_DECLARE_NORM_GETTER(33) QEL_DECLARE_NORM_GETTER(34) QEL_DECLARE_NORM_GETTER(35)
                    QEL_DECLARE_NORM_GETTER(36) QEL_DECLARE_NORM_GETTER(37) QEL_DECLARE_NORM_GETTER(
                        38) QEL_DECLARE_NORM_GETTER(39) QEL_DECLARE_NORM_GETTER(40) QEL_DECLARE_NORM_GETTER(41)
                        QEL_DECLARE_NORM_GETTER(42) QEL_DECLARE_NORM_GETTER(43) QEL_DECLARE_NORM_GETTER(
                            44) QEL_DECLARE_NORM_GETTER(45) QEL_DECLARE_NORM_GETTER(46) QEL_DECLARE_NORM_GETTER(47)
                            QEL_DECLARE_NORM_GETTER(48) QEL_DECLARE_NORM_GETTER(49) QEL_DECLARE_NORM_GETTER(50)
                                QEL_DECLARE_NORM_GETTER(51) QEL_DECLARE_NORM_GETTER(52) QEL_DECLARE_NORM_GETTER(53)
                                    QEL_DECLARE_NORM_GETTER(54) QEL_DECLARE_NORM_GETTER(55) QEL_DECLARE_NORM_GETTER(56)
                                        QEL_DECLARE_NORM_GETTER(57) QEL_DECLARE_NORM_GETTER(58)
                                            QEL_DECLARE_NORM_GETTER(59) QEL_DECLARE_NORM_GETTER(60)
                                                QEL_DECLARE_NORM_GETTER(61) QEL_DECLARE_NORM_GETTER(62)
                                                    QEL_DECLARE_NORM_GETTER(63) QEL_DECLARE_NORM_GETTER(64)
                                                        QEL_DECLARE_NORM_GETTER(65) QEL_DECLARE_NORM_GETTER(66)
                                                            QEL_DECLARE_NORM_GETTER(67) QEL_DECLARE_NORM_GETTER(68)
                                                                QEL_DECLARE_NORM_GETTER(69) QEL_DECLARE_NORM_GETTER(70)
                                                                    QEL_DECLARE_NORM_GETTER(71)
                                                                        QEL_DECLARE_NORM_GETTER(72)
                                                                            QEL_DECLARE_NORM_GETTER(73)
                                                                                QEL_DECLARE_NORM_GETTER(74)
                                                                                    QEL_DECLARE_NORM_GETTER(75)
#undef QEL_DECLARE_NORM_GETTER

    // Pair getter k combines entries k and k + 5: their mean when the plug-in's
    // task sets m_pairNormMean (Pursuit: left and right hand), else their sum.
    bool GetPairNormValue0(double* out, double value, double age, int kind);
bool GetPairNormValue1(double* out, double value, double age, int kind);
bool GetPairNormValue2(double* out, double value, double age, int kind);
bool GetPairNormValue3(double* out, double value, double age, int kind);
bool GetPairNormValue4(double* out, double value, double age, int kind);

// Number of numbered getters GetNormValue0 .. GetNormValue75.
constexpr int kNormGetterCount = 76;
// The numbered getters in order: entry n is GetNormValue<n>.
inline constexpr QelNormGetter kNormGetterTable[kNormGetterCount] = {
    GetNormValue0, GetNormValue1, GetNormValue2, GetNormValue3, GetNormValue4, GetNormValue5, GetNormValue6,
    GetNormValue7, GetNormValue8, GetNormValue9, GetNormValue10, GetNormValue11, GetNormValue12, GetNormValue13,
    GetNormValue14, GetNormValue15, GetNormValue16, GetNormValue17, GetNormValue18, GetNormValue19, GetNormValue20,
    GetNormValue21, GetNormValue22, GetNormValue23, GetNormValue24, GetNormValue25, GetNormValue26, GetNormValue27,
    GetNormValue28, GetNormValue29, GetNormValue30, GetNormValue31, GetNormValue32, GetNormValue33, GetNormValue34,
    GetNormValue35, GetNormValue36, GetNormValue37, GetNormValue38, GetNormValue39, GetNormValue40, GetNormValue41,
    GetNormValue42, GetNormValue43, GetNormValue44, GetNormValue45, GetNormValue46, GetNormValue47, GetNormValue48,
    GetNormValue49, GetNormValue50, GetNormValue51, GetNormValue52, GetNormValue53, GetNormValue54, GetNormValue55,
    GetNormValue56, GetNormValue57, GetNormValue58, GetNormValue59, GetNormValue60, GetNormValue61, GetNormValue62,
    GetNormValue63, GetNormValue64, GetNormValue65, GetNormValue66, GetNormValue67, GetNormValue68, GetNormValue69,
    GetNormValue70, GetNormValue71, GetNormValue72, GetNormValue73, GetNormValue74, GetNormValue75};
// The numbered getters by number, for tables built in code; null outside 0..75.
QelNormGetter NormGetterByNumber(int n);

}  // namespace qel
