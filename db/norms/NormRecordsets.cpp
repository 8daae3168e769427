#include "db/norms/NormRecordsets.h"

namespace qel {

namespace {

constexpr int kZfunctionsColumns = 7;
constexpr int kDataFilesColumns = 10;

}  // namespace

CQelRsZfunctions::CQelRsZfunctions(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = kZfunctionsColumns;
  m_tableName = kNormTableZfunctions;
}

void CQelRsZfunctions::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Task", m_task);
  fx.Text("Function", m_function);
  fx.Long("FunIndex", m_funIndex);
  fx.Long("AgeMinIndex", m_ageMinIndex);
  fx.Long("AgeMaxIndex", m_ageMaxIndex);
  fx.Long("Num", m_num);
  fx.Binary("Values", m_values);
}

CQelRsDataFile::CQelRsDataFile(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = kDataFilesColumns;
  m_tableName = kNormTableDataFiles;
}

void CQelRsDataFile::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Task", m_task);
  fx.Long("Language", m_language);
  fx.Long("DataType", m_dataType);
  fx.Long("FileType", m_fileType);
  fx.Long("FileAttr", m_fileAttr);
  fx.Long("FileCode", m_fileCode);
  fx.Text("FileName", m_fileName);
  fx.Date("FileTime", m_fileTime);
  fx.Long("FileLen", m_fileLen);
  fx.Binary("FileData", m_fileData);
}

}  // namespace qel
