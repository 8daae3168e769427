// The norm service of a task library record: age-banded cubic functions for
// the norm mean and SD of each Z variable, and the Z-scores computed from them.
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/library/TaskLibrary.h"

namespace qel {

namespace {

// A computed norm value or Z-score is given only when it is a real number.
bool SetIfFinite(double* out, double v) {
  if (!std::isfinite(v)) return false;
  *out = v;
  return true;
}

}  // namespace

const NormFunction* CTaskLibrary::GetNormFunction(int row) const {
  if (row < 0 || row >= GetNormFunctionCount()) return nullptr;
  return &m_normFunctions[row];
}

void CTaskLibrary::ResetNorms() { m_normFunctions.clear(); }

bool CTaskLibrary::LoadNorms(INormsProvider* provider, const char* key) {
  ResetNorms();
  if (!provider) return false;
  if (!key) return true;
  std::vector<double> lows(kMaxNormBands), highs(kMaxNormBands), coefficients(4 * kMaxNormBands);
  for (const KeptVariable& kept : m_kept) {
    const std::string& name = kept.name;
    for (const int kind : {kNormFunctionMean, kNormFunctionSd}) {
      int n = provider->GetZFunction(key, name.c_str(), kind, lows.data(), highs.data(), coefficients.data(),
                                     kMaxNormBands);
      if (n < 0) return false;
      // The provider fills no more than it was given room for.
      if (n > kMaxNormBands) n = kMaxNormBands;
      for (int band = 0; band < n; ++band) {
        NormFunction f;
        f.variableId = kept.id;
        f.name = name;
        f.kind = kind;
        f.ageLow = lows[band];
        f.ageHigh = highs[band];
        for (int j = 0; j < 4; ++j) f.c[j] = coefficients[4 * band + j];
        m_normFunctions.push_back(std::move(f));
      }
    }
  }
  return true;
}

bool CTaskLibrary::AddNormFunction(const char* key, const char* name, int kind, double ageLow, double ageHigh,
                                   const double* coefficients, int coefficientCount) {
  if (!key || !name || (kind != kNormFunctionMean && kind != kNormFunctionSd)) return false;
  const int k = FindVariableByName(name);
  if (k < 0) return true;  // a variable this plug-in does not have
  NormFunction f;
  f.variableId = m_kept[k].id;
  f.name = name;
  f.kind = kind;
  f.ageLow = ageLow;
  f.ageHigh = ageHigh;
  if (coefficients) {
    for (int j = 0; j < 4 && j < coefficientCount; ++j) f.c[j] = coefficients[j];
  }
  m_normFunctions.push_back(std::move(f));
  return true;
}

int CTaskLibrary::FindNormFunction(const char* key, const char* name, int kind, double age) const {
  if (!key || !name) return -1;
  for (size_t row = 0; row < m_normFunctions.size(); ++row) {
    const NormFunction& f = m_normFunctions[row];
    if (f.kind == kind && f.ageLow <= age && age < f.ageHigh && f.name == name) {
      return static_cast<int>(row);
    }
  }
  return -1;
}

bool CTaskLibrary::ComputeNormZ(const char* code, const char* name, double* out, double value, double age, int kind,
                                bool reversed, bool floor) {
  if (!out) return false;
  *out = kNoValue;
  if (kind == kNormMean || kind == kNormSd) {
    const int row = FindNormFunction(code, name, NormFunctionOf(static_cast<QelNormKind>(kind)), age);
    return row >= 0 && SetIfFinite(out, m_normFunctions[row].ValueAt(age));
  }
  if (value == kNoValue) return false;
  const int meanRow = FindNormFunction(code, name, kNormFunctionMean, age);
  const int sdRow = FindNormFunction(code, name, kNormFunctionSd, age);
  double mean = meanRow >= 0 ? m_normFunctions[meanRow].ValueAt(age) : 0.0;
  double sd = sdRow >= 0 ? m_normFunctions[sdRow].ValueAt(age) : 0.0;
  if (reversed) {
    value = -value;
    mean = -mean;
  }
  // An SD that is not above zero gives no Z-score (a negative one would
  // turn the score's sign around).
  if (!(sd > 0.0)) return false;
  if (floor && sd < 1.0) sd = 1.0;
  return SetIfFinite(out, (value - mean) / sd);
}

bool CTaskLibrary::GetVariableValue(int n, double* out, double value, double age, int kind, bool floorAllowed) {
  if (!out) return false;
  *out = kNoValue;
  const TaskNormVariable* e = NormEntry(n);
  if (!e) return false;
  if (!e->name) return e->getter ? e->getter(out, value, age, kind) : false;
  if (!modelDefault || e->name[0] == '\0') return false;
  const std::string code = GetShortCode();
  return ComputeNormZ(code.c_str(), e->name, out, value, age, kind, (e->flags & kNormReversed) != 0,
                      floorAllowed && UsesSdFloor(e->source));
}

}  // namespace qel
