// The record sets of the norms file: the Z-functions (age-banded cubic
// polynomials of each task's norm means and SDs) and the files stored by
// task and language.
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "db/DbOdbcAccess.h"

namespace qel {

inline constexpr char kNormTableZfunctions[] = "Zfunctions";
inline constexpr char kNormTableDataFiles[] = "DataFiles";

// The largest "Values" column: 80 doubles (640 bytes).
inline constexpr int kMaxNormValues = 80;
// The largest stored file.
inline constexpr size_t kMaxNormDataFileBytes = 200000;

class CQelRsZfunctions : public CRsOdbcAccess {
 public:
  explicit CQelRsZfunctions(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_task;      // the task's short code
  std::string m_function;  // the Z variable; empty on the age-point row
  int32_t m_funIndex = 0;  // a QelNormFunctionKind; 0 on the age-point row
  int32_t m_ageMinIndex = 0;
  int32_t m_ageMaxIndex = 0;
  int32_t m_num = 0;  // doubles in m_values
  DbBytes m_values;   // the age points, or the coefficients c0..c3
};

class CQelRsDataFile : public CRsOdbcAccess {
 public:
  explicit CQelRsDataFile(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_task;
  int32_t m_language = 0;
  int32_t m_dataType = 0;
  int32_t m_fileType = 0;
  int32_t m_fileAttr = 0;
  int32_t m_fileCode = 0;
  std::string m_fileName;
  QelDateTime m_fileTime;
  int32_t m_fileLen = 0;
  DbBytes m_fileData;
};

}  // namespace qel
