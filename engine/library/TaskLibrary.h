// One loaded task plug-in: the record the plug-in fills at command 0 (the
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

// One age band of a norm mean (kind 0) or norm SD (kind 1) of a Z variable:
// value = c0 + c1 x age + c2 x age^2 + c3 x age^3 for ageLow <= age < ageHigh.
struct NormFunction {
  int variableId = -1;
  std::string name;
  int kind = 0;
  double ageLow = 0.0;
  double ageHigh = 0.0;
  double c[4] = {0.0, 0.0, 0.0, 0.0};

  double ValueAt(double age) const { return c[0] + age * (c[1] + age * (c[2] + age * c[3])); }
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

  // Loads the plug-in file, lets it fill this record (command 0) and checks
  // what it published. On any refusal the module is closed again and the
  // record cleared; the message is shown only when report is true.
  bool Load(const char* path, bool report);
  // Command 4, then the module is closed and the record cleared.
  void Unload();
  // Empties the record; keeps the host pointer and the file time.
  void Clear();

  // Checks the counts and tables the plug-in has published into the record;
  // false with a description of the first fault. Load calls it after
  // command 0; callers may call it again after a command that republishes.
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
  int GetKeptCount() const { return m_keptCount; }
  const std::vector<std::string>& GetKeptNames() const { return m_variableNames; }
  const std::vector<std::string>& GetKeptUnits() const { return m_variableUnits; }
  const std::vector<std::string>& GetKeptDescriptions() const { return m_variableDescriptions; }
  const std::vector<std::string>& GetKeptSourceDescriptions() const { return m_sourceDescriptions; }
  const std::vector<std::string>& GetKeptSourceCodes() const { return m_sourceCodes; }
  const std::vector<int>& GetKeptIds() const { return m_variableIds; }
  const std::vector<int>& GetKeptEntryIndexes() const { return m_entryIndexes; }
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
  std::vector<std::string> m_variableNames;
  std::vector<std::string> m_variableUnits;
  std::vector<std::string> m_variableDescriptions;
  std::vector<std::string> m_sourceDescriptions;
  std::vector<std::string> m_sourceCodes;
  std::vector<int> m_variableIds;
  std::vector<int> m_entryIndexes;
  int m_keptCount = 0;
  std::vector<NormFunction> m_normFunctions;
};

}  // namespace qel
