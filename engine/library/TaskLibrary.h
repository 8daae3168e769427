// One loaded task plug-in: the record the plug-in fills at the init command (the
// fields of ITaskLibrary) plus what only the main program keeps: the file,
// the Z-variable tables built from the plug-in's norm variables and the
// norm functions that turn raw scores into Z-scores.
//
// Everything a plug-in publishes is untrusted: counts are bounded and table
// pointers checked when it is loaded, and every getter checks its index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "include/qel/TaskLibraryInterface.h"

namespace qel {

class IExpModelTask;

// One age band of a norm mean or norm SD (a QelNormFunctionKind) of a Z variable:
// value = c0 + c1 x age + c2 x age^2 + c3 x age^3 for ageLow <= age < ageHigh.
struct NormFunction {
  int variableId = -1;
  std::string name;
  int kind = kNormFunctionMean;
  double ageLow = 0.0;
  double ageHigh = 0.0;
  double c[4] = {0.0, 0.0, 0.0, 0.0};

  double ValueAt(double age) const { return c[0] + age * (c[1] + age * (c[2] + age * c[3])); }
};

// A Z variable of the plug-in's norm-variable table that the program keeps
// (an entry with a name and a row): the texts of its own row and of the raw
// row it is computed from.
struct KeptVariable {
  std::string name;
  std::string unit;
  std::string description;        // of the Z row ("" without one)
  std::string sourceDescription;  // of the raw row ("" without one)
  std::string sourceCode;         // of the raw row ("" without one)
  int id = -1;                    // the Z row in the score-variable table
  int entryIndex = -1;            // the entry in the norm-variable table
};

class CTaskLibrary final : public ITaskLibrary {
 public:
  // Limits on what a plug-in may publish (beyond the shared ones).
  static constexpr int kMaxVersions = 64;
  static constexpr int kMaxCaptions = 256;
  static constexpr int kMaxCodeNames = 1024;
  static constexpr int kMaxCodeRows = kMaxTrialCodes;
  static constexpr int kMaxPresets = 3;
  // Bands asked of a norms provider per variable and kind.
  static constexpr int kMaxNormBands = 64;

  CTaskLibrary();
  ~CTaskLibrary();
  CTaskLibrary(const CTaskLibrary&) = delete;
  CTaskLibrary& operator=(const CTaskLibrary&) = delete;

  // Loads the plug-in file, lets it fill this record (the init command) and checks
  // what it published. On any refusal the module is closed again and the
  // record cleared; the message is shown only when report is true.
  bool Load(const char* path, bool report);
  // The unload command, then the module is closed and the record cleared.
  void Unload();
  // Empties the record; keeps the host pointer and the file time.
  void Clear();

  // Checks the counts and tables the plug-in has published into the record;
  // false with a description of the first fault. Load calls it after
  // the init command; callers may call it again after a command that republishes.
  bool CheckPublishedTables(std::string* problem) const;

  // First timing preset whose SDType, Control and IntType equal the task's; -1 when none.
  int FindTimingPreset(const IExpModelTask* task) const;
  // Index of a kept Z variable by name (case-sensitive); -1 when none.
  int FindVariableByName(const char* name) const;
  // Rebuilds the kept Z-variable tables from the plug-in's norm variables.
  int BuildVariableTables();

  // Views of the plug-in's norm-variable table (entry i); null or -1 out of range.
  int GetVariableCount() const;
  const char* GetVariableName(int i) const;
  const char* GetVariableUnit(int i) const;
  int GetVariableId(int i) const;
  const char* GetSourceCode(int i) const;
  const char* GetVariableDescription(int i) const;
  const char* GetSourceDescription(int i) const;

  // Host-only fields.
  const std::string& GetPath() const { return m_path; }
  void SetPath(const std::string& path) { m_path = path; }
  int64_t GetFileTime() const { return m_fileTime; }
  void SetFileTime(int64_t t) { m_fileTime = t; }
  int GetKeptCount() const { return static_cast<int>(m_kept.size()); }
  const std::vector<KeptVariable>& GetKeptVariables() const { return m_kept; }
  // The short code of the plug-in's model default ("" without one).
  std::string GetShortCode() const;

  // Norm functions.
  int GetNormFunctionCount() const { return static_cast<int>(m_normFunctions.size()); }
  const NormFunction* GetNormFunction(int row) const;

  // The norm service (virtual slots 0-5).
  void ResetNorms() override;
  bool LoadNorms(INormsProvider* provider, const char* key) override;
  bool AddNormFunction(const char* key, const char* name, int kind, double ageLow, double ageHigh,
                       const double* coefficients, int coefficientCount) override;
  int FindNormFunction(const char* key, const char* name, int kind, double age) const override;
  bool GetVariableValue(int n, double* out, double value, double age, int kind, bool floorAllowed) override;
  bool ComputeNormZ(const char* code, const char* name, double* out, double value, double age, int kind, bool reversed,
                    bool floor) override;

 private:
  bool Refuse(void* handle, bool report, const std::string& message);
  const TaskNormVariable* NormEntry(int i) const;
  const TaskVariableDef* ScoreVariable(int i) const;

  std::string m_path;
  int64_t m_fileTime = 0;
  std::vector<KeptVariable> m_kept;
  std::vector<NormFunction> m_normFunctions;
};

}  // namespace qel
