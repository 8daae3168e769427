// Row records of the audited (CFR) project file and of the workstation
// users database: one row's values in column order, the first base of the
// record sets of their tables. Dates start null, numbers 0, texts and byte
// arrays empty.
#pragma once

#include <cstdint>
#include <string>

#include "db/DbRecord.h"
#include "db/DbValue.h"
#include "include/qel/DateTime.h"
#include "include/qel/ModelTask.h"

namespace qel {

class CTesteeCodesRecord : public CDbRecord {
 public:
  std::string m_testeeCode;
  std::string m_comment;
  std::string m_description;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CTesteesRecord : public CDbRecord {
 public:
  std::string m_testee;
  std::string m_testeeCode;
  std::string m_firstName;
  std::string m_surname;
  QelDateTime m_dateBirth;
  int32_t m_preference = 0;
  int32_t m_sex = 0;
  std::string m_description;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CModelsRecord : public CDbRecord {
 public:
  std::string m_model;
  int32_t m_version = 0;
  std::string m_versionStr;
  int32_t m_taskNum = 0;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CTasksRecord : public CDbRecord {
 public:
  std::string m_model;
  std::string m_task;
  int32_t m_taskId = 0;
  std::string m_taskName;
  QelTaskWords m_taskWords{};  // TaskType ... TaskIntHigh
  DbBytes m_taskPartTrials;
  DbBytes m_taskParam;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CResponsesKeyRecord : public CDbRecord {
 public:
  std::string m_testee;
  std::string m_model;
  std::string m_task;
  int32_t m_assNo = 0;
  int32_t m_partNo = 0;
  int32_t m_serNo = 0;
  QelDateTime m_datePart;
  int32_t m_respNum = 0;
  QelDateTime m_date;
  std::string m_user;
};

class CResponsesRecord : public CDbRecord {
 public:
  std::string m_testee;
  std::string m_model;
  std::string m_task;
  int32_t m_assNo = 0;
  int32_t m_partNo = 0;
  int32_t m_serNo = 0;
  QelDateTime m_datePart;
  int32_t m_respNum = 0;
  QelDateTime m_dateBirth;
  int32_t m_preference = 0;
  int32_t m_sex = 0;
  DbBytes m_respType;
  DbBytes m_respTime;
  DbBytes m_respCode;
  DbBytes m_procType;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CVariablesKeyRecord : public CDbRecord {
 public:
  std::string m_testee;
  std::string m_model;
  std::string m_task;
  int32_t m_assNo = 0;
  QelDateTime m_dateAss;
  int32_t m_varNum = 0;
  QelDateTime m_dateBirth;
  int32_t m_preference = 0;
  int32_t m_sex = 0;
  QelDateTime m_date;
  std::string m_user;
};

class CVariablesRecord : public CDbRecord {
 public:
  std::string m_testee;
  std::string m_model;
  std::string m_task;
  int32_t m_assNo = 0;
  QelDateTime m_dateAss;
  int32_t m_varNum = 0;
  QelDateTime m_dateBirth;
  int32_t m_preference = 0;
  int32_t m_sex = 0;
  DbBytes m_varAttrs;
  DbBytes m_varNames;
  DbBytes m_varFrmts;
  DbBytes m_varLabels;
  DbBytes m_varValues;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CUsersRecord : public CDbRecord {
 public:
  std::string m_id;
  std::string m_pwd;
  int32_t m_type = 0;
  std::string m_fname;
  std::string m_sname;
  QelDateTime m_registered;
  std::string m_institute;
  std::string m_comment;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CRegisterRecord : public CDbRecord {
 public:
  std::string m_regUser;
  std::string m_regKey;
  std::string m_section;
  std::string m_entry;
  std::string m_string;
  int32_t m_int = 0;
  QelDateTime m_date;
  std::string m_user;
  int32_t m_attributes = 0;
};

class CStringsRecord : public CDbRecord {
 public:
  int32_t m_codeNumber = 0;
  std::string m_codeString;
  int32_t m_number1 = 0;
  int32_t m_number2 = 0;
  std::string m_string1;
  std::string m_string2;
  int32_t m_attributes = 0;
};

}  // namespace qel
