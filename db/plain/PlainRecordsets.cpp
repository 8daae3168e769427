#include "db/plain/PlainRecordsets.h"

#include "db/plain/PlainTables.h"

namespace qel {

CQelRsOwner::CQelRsOwner(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 2;
  m_tableName = kPlainTableOwner;
}

void CQelRsOwner::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Code", m_code);
  fx.Text("Text", m_text);
}

CQelRsTesteeCode::CQelRsTesteeCode(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 3;
  m_tableName = kPlainTableTesteeCode;
  m_variableColumns = true;
}

void CQelRsTesteeCode::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Code", m_code);
  if (TableHasColumn("Comment")) fx.Text("Comment", m_comment);
  if (TableHasColumn("Description")) fx.Text("Description", m_description, kTesteeCodeDescriptionLength);
}

CQelRsTestee::CQelRsTestee(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 8;
  m_tableName = kPlainTableTestee;
}

void CQelRsTestee::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("Code", m_code);
  fx.Text("FirstName", m_firstName);
  fx.Text("Surname", m_surname);
  fx.Date("DateBirth", m_dateBirth);
  fx.Long("Preference", m_preference);
  fx.Long("Sex", m_sex);
  fx.Text("Comment", m_comment, kTesteeCommentLength);
}

CQelRsModel::CQelRsModel(CDbOdbc* database)
    : CRsOdbcAccess(database), m_taskPartTrials(kTaskPartTrialsBytes), m_taskParam(kTaskParamBytes) {
  m_nFields = 25;
  m_tableName = kPlainTableModel;
}

void CQelRsModel::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Model", m_model);
  fx.Long("TaskNo", m_taskNo);
  fx.Long("TaskId", m_taskId);
  fx.Text("TaskIdStr", m_taskIdStr);
  fx.Text("TaskName", m_taskName);
  uint32_t* words = m_taskWords.data();
  for (int i = 0; i < QelTaskWords::kCount; ++i) fx.Long(kTaskWordColumns[i], words[i]);
  fx.Binary("TaskPartTrials", m_taskPartTrials);
  fx.Binary("TaskParam", m_taskParam);
}

CQelRsResponseS::CQelRsResponseS(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 8;
  m_tableName = kPlainTableResponse;
}

void CQelRsResponseS::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("Model", m_model);
  fx.Text("Task", m_task);
  fx.Long("Assessment", m_assessment);
  fx.Long("PartNo", m_partNo);
  fx.Long("SerNo", m_serNo);
  fx.Date("Date", m_date);
  fx.Long("RespNum", m_respNum);
}

QelDateTime CQelRsResponseS::GetLatestDate(const std::string& testee, const std::string& model, const std::string& task,
                                           uint32_t assessment) {
  m_filter.Clear();
  m_filter.Equal("Testee", DbValue(testee))
      .Equal("Model", DbValue(model))
      .Equal("Task", DbValue(task))
      .Equal("Assessment", DbValue(assessment))
      .Equal("SerNo", DbValue(0));
  const bool opened = IsOpen() ? Requery() : Open(kForwardOnly, std::string(), kReadOnly);
  QelDateTime latest = QelDateTime::Null();
  if (!opened) return latest;
  while (!IsEOF()) {
    if (m_date.IsValid() &&
        (!latest.IsValid() || QelDateTime::Continuous(m_date.value) > QelDateTime::Continuous(latest.value))) {
      latest = m_date;
    }
    MoveNext();
  }
  return latest;
}

CQelRsResponse::CQelRsResponse(CDbOdbc* database)
    : CQelRsResponseS(database),
      m_respType(kResponseArrayBytes),
      m_respTime(kResponseArrayBytes),
      m_respCode(kResponseArrayBytes),
      m_procType(kResponseArrayBytes) {
  m_nFields = 12;
}

void CQelRsResponse::DoFieldExchange(DbFieldExchange& fx) {
  CQelRsResponseS::DoFieldExchange(fx);
  fx.Binary("RespType", m_respType);
  fx.Binary("RespTime", m_respTime);
  fx.Binary("RespCode", m_respCode);
  fx.Binary("ProcType", m_procType);
}

CQelRsVariableS::CQelRsVariableS(CDbOdbc* database) : CRsOdbcAccess(database) {
  m_nFields = 6;
  m_tableName = kPlainTableVariable;
}

void CQelRsVariableS::DoFieldExchange(DbFieldExchange& fx) {
  fx.Text("Testee", m_testee);
  fx.Text("Model", m_model);
  fx.Text("Task", m_task);
  fx.Long("Assessment", m_assessment);
  fx.Date("Date", m_date);
  fx.Long("VarNum", m_varNum);
}

CQelRsVariable::CQelRsVariable(CDbOdbc* database)
    : CQelRsVariableS(database),
      m_varAttrs(kVarAttrsBytes),
      m_varNames(kVarNamesBytes),
      m_varFrmts(kVarFrmtsBytes),
      m_varLabels(kVarLabelsBytes),
      m_varValues(kVarValuesBytes) {
  m_nFields = 11;
}

void CQelRsVariable::DoFieldExchange(DbFieldExchange& fx) {
  CQelRsVariableS::DoFieldExchange(fx);
  fx.Binary("VarAttrs", m_varAttrs);
  fx.Binary("VarNames", m_varNames);
  fx.Binary("VarFrmts", m_varFrmts);
  fx.Binary("VarLabels", m_varLabels);
  fx.Binary("VarValues", m_varValues);
}

CQelDBTOwner::CQelDBTOwner(DaoDatabase* database) : CQelRsDao(database) {
  m_tableName = kPlainTableOwner;
  SetExpectedFields(PlainOwnerDefinition().fields);
}

void CQelDBTOwner::ReadRecord() {
  m_code = TextField("Code");
  m_text = TextField("Text");
}

void CQelDBTOwner::WriteRecord() {
  SetFieldValue("Code", DbValue(m_code));
  SetFieldIfPresent("Text", DbValue(m_text));
}

CQelDBTTesteeCode::CQelDBTTesteeCode(DaoDatabase* database) : CQelRsDao(database) {
  m_tableName = kPlainTableTesteeCode;
  SetExpectedFields(PlainTesteeCodeDefinition().fields);
}

void CQelDBTTesteeCode::ReadRecord() {
  m_code = TextField("Code");
  m_comment = TextField("Comment");
  m_description = TextField("Description");
}

void CQelDBTTesteeCode::WriteRecord() {
  SetFieldValue("Code", DbValue(m_code));
  SetFieldIfPresent("Comment", DbValue(m_comment));
  SetFieldIfPresent("Description", DbValue(m_description));
}

}  // namespace qel
