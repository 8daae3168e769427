// The record sets through which the plain project's operations and its
// conversion reach the tables of a plain project file, and the two that
// write the first rows of a new one.
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstdint>
#include <string>

#include "db/DbOdbcAccess.h"
#include "db/QelRsDao.h"
#include "include/qel/ModelTask.h"

namespace qel {

// Initial sizes of the binary members: the largest rows the program writes.
inline constexpr size_t kTaskPartTrialsBytes = 64;    // 16 words
inline constexpr size_t kTaskParamBytes = 128;        // 32 words
inline constexpr size_t kResponseArrayBytes = 24000;  // 6000 words
inline constexpr size_t kVarAttrsBytes = 6000;        // 1500 words
inline constexpr size_t kVarNamesBytes = 30000;       // 1500 texts of 20
inline constexpr size_t kVarFrmtsBytes = 15000;       // 1500 texts of 10
inline constexpr size_t kVarLabelsBytes = 150000;     // 1500 texts of 100
inline constexpr size_t kVarValuesBytes = 12000;      // 1500 doubles
inline constexpr size_t kTesteeCodeDescriptionLength = 16383;
inline constexpr size_t kTesteeCommentLength = 163830;

class CQelRsOwner : public CRsOdbcAccess {
 public:
  explicit CQelRsOwner(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_code;
  std::string m_text;
};

// Reads Code alone from a TesteeCode table that lacks the other columns.
class CQelRsTesteeCode : public CRsOdbcAccess {
 public:
  explicit CQelRsTesteeCode(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_code;
  std::string m_comment;
  std::string m_description;
};

class CQelRsTestee : public CRsOdbcAccess {
 public:
  explicit CQelRsTestee(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_testee;
  std::string m_code;
  std::string m_firstName;
  std::string m_surname;
  QelDateTime m_dateBirth;
  int32_t m_preference = 0;
  int32_t m_sex = 0;
  std::string m_comment;
};

class CQelRsModel : public CRsOdbcAccess {
 public:
  explicit CQelRsModel(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_model;
  int32_t m_taskNo = 0;
  int32_t m_taskId = 0;
  std::string m_taskIdStr;
  std::string m_taskName;
  QelTaskWords m_taskWords{};  // TaskType ... TaskIntHigh
  DbBytes m_taskPartTrials;
  DbBytes m_taskParam;
};

// The key columns of Response, without the arrays.
class CQelRsResponseS : public CRsOdbcAccess {
 public:
  explicit CQelRsResponseS(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  // The latest valid Date of the rows of serial number 0 of the assessment;
  // a null date when there is none. Opens (or reads again) this record set.
  QelDateTime GetLatestDate(const std::string& testee, const std::string& model, const std::string& task,
                            uint32_t assessment);

  std::string m_testee;
  std::string m_model;
  std::string m_task;
  int32_t m_assessment = 0;
  int32_t m_partNo = 0;
  int32_t m_serNo = 0;
  QelDateTime m_date;
  int32_t m_respNum = 0;
};

class CQelRsResponse : public CQelRsResponseS {
 public:
  explicit CQelRsResponse(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  DbBytes m_respType;
  DbBytes m_respTime;
  DbBytes m_respCode;
  DbBytes m_procType;
};

// The key columns of Variable, without the arrays.
class CQelRsVariableS : public CRsOdbcAccess {
 public:
  explicit CQelRsVariableS(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  std::string m_testee;
  std::string m_model;
  std::string m_task;
  int32_t m_assessment = 0;
  QelDateTime m_date;
  int32_t m_varNum = 0;
};

class CQelRsVariable : public CQelRsVariableS {
 public:
  explicit CQelRsVariable(CDbOdbc* database);
  void DoFieldExchange(DbFieldExchange& fx) override;

  DbBytes m_varAttrs;
  DbBytes m_varNames;
  DbBytes m_varFrmts;
  DbBytes m_varLabels;
  DbBytes m_varValues;
};

// The first Owner rows of a new file.
class CQelDBTOwner : public CQelRsDao {
 public:
  explicit CQelDBTOwner(DaoDatabase* database);
  void ReadRecord() override;
  // Code, and Text only when the table has it.
  void WriteRecord() override;

  std::string m_code;
  std::string m_text;
};

// The first TesteeCode rows of a new file.
class CQelDBTTesteeCode : public CQelRsDao {
 public:
  explicit CQelDBTTesteeCode(DaoDatabase* database);
  void ReadRecord() override;
  // Code, and Comment and Description only when the table has them.
  void WriteRecord() override;

  std::string m_code;
  std::string m_comment;
  std::string m_description;
};

}  // namespace qel
