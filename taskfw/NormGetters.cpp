#include "taskfw/NormGetters.h"

#include "include/qel/ModelTask.h"
#include "taskfw/TaskBase.h"

namespace qel {

bool CTaskBase::GetNormValue(int n, double* out, double value, double age, int kind) {
  if (!out) return false;
  *out = kNoValue;
  if (!m_record) return false;
  return m_record->GetVariableValue(n, out, value, age, kind, true);
}

bool CombineNormValues(double* out, double value, double age, int kind, QelNormGetter getter1, QelNormGetter getter2,
                       bool mean) {
  if (!out) return false;
  *out = kNoValue;
  if ((kind != 1 && kind != 2) || !getter1 || !getter2) return false;
  double first = kNoValue;
  double second = kNoValue;
  if (!getter1(&first, value, age, kind)) return false;
  if (!getter2(&second, value, age, kind)) return false;
  *out = first + second;
  if (mean) *out *= 0.5;
  return true;
}

#define QEL_DEFINE_NORM_GETTER(n)                                         \
  bool GetNormValue##n(double* out, double value, double age, int kind) { \
    return QelPluginTask().GetNormValue(n, out, value, age, kind);        \
  }
QEL_DEFINE_NORM_GETTER(0)
QEL_DEFINE_NORM_GETTER(1) QEL_DEFINE_NORM_GETTER(2) QEL_DEFINE_NORM_GETTER(3) QEL_DEFINE_NORM_GETTER(
    4) QEL_DEFINE_NORM_GETTER(5) QEL_DEFINE_NORM_GETTER(6) QEL_DEFINE_NORM_GETTER(7) QEL_DEFINE_NORM_GETTER(8)
    QEL_DEFINE_NORM_GETTER(9) QEL_DEFINE_NORM_GETTER(10) QEL_DEFINE_NORM_GETTER(11) QEL_DEFINE_NORM_GETTER(
        12) QEL_DEFINE_NORM_GETTER(13) QEL_DEFINE_NORM_GETTER(14) QEL_DEFINE_NORM_GETTER(15) QEL_DEFINE_NORM_GETTER(16)
        QEL_DEFINE_NORM_GETTER(17) QEL_DEFINE_NORM_GETTER(18) QEL_DEFINE_NORM_GETTER(19) QEL_DEFINE_NORM_GETTER(
            20) QEL_DEFINE_NORM_GETTER(21) QEL_DEFINE_NORM_GETTER(22) QEL_DEFINE_NORM_GETTER(23)
            QEL_DEFINE_NORM_GETTER(24) QEL_DEFINE_NORM_GETTER(25) QEL_DEFINE_NORM_GETTER(26) QEL_DEFINE_NORM_GETTER(
                27) QEL_DEFINE_NORM_GETTER(28) QEL_DEFINE_NORM_GETTER(29) QEL_DEFINE_NORM_GETTER(30)
                QEL_DEFINE_NORM_GETTER(31) QEL_DEFINE_NORM_GETTER(32) QEL_DEFINE_NORM_GETTER(33) QEL_DEFINE_NORM_GETTER(
                    34) QEL_DEFINE_NORM_GETTER(35) QEL_DEFINE_NORM_GETTER(36) QEL_DEFINE_NORM_GETTER(37)
                    QEL_DEFINE_NORM_GETTER(38) QEL_DEFINE_NORM_GETTER(39) QEL_DEFINE_NORM_GETTER(
                        40) QEL_DEFINE_NORM_GETTER(41) QEL_DEFINE_NORM_GETTER(42) QEL_DEFINE_NORM_GETTER(43)
                        QEL_DEFINE_NORM_GETTER(44) QEL_DEFINE_NORM_GETTER(45) QEL_DEFINE_NORM_GETTER(46)
                            QEL_DEFINE_NORM_GETTER(47) QEL_DEFINE_NORM_GETTER(48) QEL_DEFINE_NORM_GETTER(49)
                                QEL_DEFINE_NORM_GETTER(50) QEL_DEFINE_NORM_GETTER(51) QEL_DEFINE_NORM_GETTER(52)
                                    QEL_DEFINE_NORM_GETTER(53) QEL_DEFINE_NORM_GETTER(54) QEL_DEFINE_NORM_GETTER(55)
                                        QEL_DEFINE_NORM_GETTER(56) QEL_DEFINE_NORM_GETTER(57) QEL_DEFINE_NORM_GETTER(58)
                                            QEL_DEFINE_NORM_GETTER(59) QEL_DEFINE_NORM_GETTER(60)
                                                QEL_DEFINE_NORM_GETTER(61) QEL_DEFINE_NORM_GETTER(62)
                                                    QEL_DEFINE_NORM_GETTER(63) QEL_DEFINE_NORM_GETTER(64)
                                                        QEL_DEFINE_NORM_GETTER(65) QEL_DEFINE_NORM_GETTER(66)
                                                            QEL_DEFINE_NORM_GETTER(67) QEL_DEFINE_NORM_GETTER(68)
                                                                QEL_DEFINE_NORM_GETTER(69) QEL_DEFINE_NORM_GETTER(70)
                                                                    QEL_DEFINE_NORM_GETTER(71)
                                                                        QEL_DEFINE_NORM_GETTER(72)
                                                                            QEL_DEFINE_NORM_GETTER(73)
                                                                                QEL_DEFINE_NORM_GETTER(74)
                                                                                    QEL_DEFINE_NORM_GETTER(75)
#undef QEL_DEFINE_NORM_GETTER

                                                                                        QelNormGetter
    NormGetterByNumber(int n) {
  return (n >= 0 && n < kNormGetterCount) ? kNormGetterTable[n] : nullptr;
}

// Pair k: entries k and k + 5.
bool GetPairNormValue0(double* out, double value, double age, int kind) {
  return CombineNormValues(out, value, age, kind, GetNormValue0, GetNormValue5, QelPluginTask().PairNormMean());
}
bool GetPairNormValue1(double* out, double value, double age, int kind) {
  return CombineNormValues(out, value, age, kind, GetNormValue1, GetNormValue6, QelPluginTask().PairNormMean());
}
bool GetPairNormValue2(double* out, double value, double age, int kind) {
  return CombineNormValues(out, value, age, kind, GetNormValue2, GetNormValue7, QelPluginTask().PairNormMean());
}
bool GetPairNormValue3(double* out, double value, double age, int kind) {
  return CombineNormValues(out, value, age, kind, GetNormValue3, GetNormValue8, QelPluginTask().PairNormMean());
}
bool GetPairNormValue4(double* out, double value, double age, int kind) {
  return CombineNormValues(out, value, age, kind, GetNormValue4, GetNormValue9, QelPluginTask().PairNormMean());
}

}  // namespace qel
