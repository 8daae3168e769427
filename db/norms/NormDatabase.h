// The norms of all tasks: one norms file ("Qel.qen" in the program folder)
// with the Z-functions (age-banded cubic polynomials for the norm mean and
// SD of each task's Z variables) and files stored by task and language.
//
// The norms file is made outside the program; the program only reads it.
// Without one, the program runs and every Z-score is 9999.0.
//
// Z-functions table: one age-point row per task ("Function" empty,
// "FunIndex" 0) whose values are the ages that bound the bands, and one row
// per band of a function whose band runs from age point "AgeMinIndex" to
// age point "AgeMaxIndex" (an index outside the points gives age 0.0).
//
// Thread contract: user-interface thread only.
#pragma once

#include <functional>
#include <string>

#include "db/DbOdbcAccess.h"
#include "db/DbValue.h"
#include "db/norms/NormRecordsets.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

inline constexpr char kNormsFileName[] = "Qel.qen";

// The source of norms: base operations that find nothing.
class CNormsProvider : public INormsProvider {
 public:
  CNormsProvider() = default;
  virtual ~CNormsProvider() = default;
  CNormsProvider(const CNormsProvider&) = delete;
  CNormsProvider& operator=(const CNormsProvider&) = delete;

  virtual bool Open(bool /*readOnly*/) { return false; }
  virtual bool Close() { return false; }
  // Stores both; a null text becomes empty.
  virtual void SetPath(const char* path, const char* password);
  // The bands of one Z variable's function kind: returns their number (-1
  // for an empty task or name or a negative kind, or when the norms cannot
  // be read) and fills at most maxBands of them: age lows, age highs and
  // four coefficients per band (missing ones 0.0).
  int GetZFunction(const char* /*task*/, const char* /*name*/, int /*kind*/, double* /*ageLows*/,
                   double* /*ageHighs*/, double* /*coefficients*/, int /*maxBands*/) override {
    return 0;
  }
  // The file stored for a task and language: its name, time (null without
  // one) and bytes; returns the byte count, -1 when there is none.
  virtual int ReadDataFile(const std::string& /*task*/, int /*language*/, std::string* /*name*/,
                           QelDateTime* /*time*/, DbBytes* /*data*/) {
    return 0;
  }

  const std::string& GetPath() const { return m_path; }

 protected:
  std::string m_path;
  std::string m_password;
};

class CNormDatabase final : public CNormsProvider {
 public:
  // The coefficients of one band: c0 + c1 x age + c2 x age^2 + c3 x age^3.
  static constexpr int kCoefficientsPerBand = 4;

  CNormDatabase();
  ~CNormDatabase() override;

  // A non-empty path becomes the connection's file, the password its key.
  void SetPath(const char* path, const char* password) override;
  // Opens the norms file (read-only when asked); false without a path or
  // when the file cannot be opened (reported with the path).
  bool Open(bool readOnly) override;
  // Closes an open connection; true.
  bool Close() override;
  int GetZFunction(const char* task, const char* name, int kind, double* ageLows, double* ageHighs,
                   double* coefficients, int maxBands) override;
  // The file of DataType 1 and FileType 1 for the task and language.
  int ReadDataFile(const std::string& task, int language, std::string* name, QelDateTime* time,
                   DbBytes* data) override;

  // Empties the norm functions of every loaded plug-in, then hands each
  // function row of the open norms file to the record of its task's
  // plug-in (rows of tasks without a loaded plug-in are passed over).
  // Returns the number of functions the records took; -1 when the table
  // cannot be read.
  int LoadAllZFunctions();

  bool IsOpen() const { return m_connection.IsOpen(); }

 private:
  CDbOdbcAccess m_connection;
  CQelRsZfunctions m_zfunctions;
  CQelRsDataFile m_dataFiles;
};

// The program's one norms database.
CNormDatabase& GetNormDatabase();

// The norms file of a program folder (given with its trailing '/').
std::string GetNormsFilePath(const std::string& programFolder);

// Start-up's norms and plug-ins: opens the norms file read-only (without
// one, the warning "Missing Norm file :<path>!"), loads the plug-ins
// (loadTaskLibraries), then hands every norm function to their records and
// closes the file. Returns the number of functions handed over; -1 when no
// norms file was opened (the plug-ins then have no norm functions).
int LoadNormsAndTaskLibraries(CNormDatabase& norms, const std::string& normsPath,
                              const std::function<void()>& loadTaskLibraries);

}  // namespace qel
