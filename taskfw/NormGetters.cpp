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
  if ((kind != kNormMean && kind != kNormSd) || !getter1 || !getter2) return false;
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
QEL_NORM_GETTER_NUMBERS(QEL_DEFINE_NORM_GETTER)
#undef QEL_DEFINE_NORM_GETTER

QelNormGetter NormGetterByNumber(int n) { return (n >= 0 && n < kNormGetterCount) ? kNormGetters[n] : nullptr; }

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
