#include "db/plain/PlainTables.h"

#include <vector>

namespace qel {

using namespace dao_columns;
using Col = DaoColumnEntry;

const DaoTableDefinition& PlainOwnerDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Code", kDaoText, 64, kKey, kReq, kNoZero},
          {"Text", kDaoText, 255, kUpd, kReq, kZero},
      },
      MakeDaoPrimaryIndex("OwnerIndex", {"Code"}));
  return definition;
}

const DaoTableDefinition& PlainTesteeCodeDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Code", kDaoText, 64, kKey, kReq, kNoZero},
          {"Comment", kDaoText, 128, kUpd, kOpt, kZero},
          {"Description", kDaoMemo, 0, kUpd, kOpt, kZero},
      },
      MakeDaoPrimaryIndex("TesteeCodeIndex", {"Code"}));
  return definition;
}

const DaoTableDefinition& PlainTesteeDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Testee", kDaoText, 64, kKey, kReq, kNoZero},
          {"Code", kDaoText, 64, kUpd, kOpt, kZero},
          {"FirstName", kDaoText, 64, kUpd, kReq, kNoZero},
          {"Surname", kDaoText, 64, kUpd, kReq, kNoZero},
          {"DateBirth", kDaoDate, 8, kUpd, kReq, kNoZero},
          {"Preference", kDaoLong, 4, kUpd, kReq, kNoZero},
          {"Sex", kDaoLong, 4, kUpd, kReq, kNoZero},
          {"Comment", kDaoMemo, 0, kUpd, kOpt, kZero},
      },
      MakeDaoPrimaryIndex("TesteeIndex", {"Testee"}));
  return definition;
}

const DaoTableDefinition& PlainModelDefinition() {
  static const DaoTableDefinition definition = [] {
    std::vector<Col> columns = {
        {"Model", kDaoText, 64, kKey, kReq, kNoZero},    {"TaskNo", kDaoLong, 4, kKey, kReq, kNoZero},
        {"TaskId", kDaoLong, 4, kKey, kReq, kNoZero},    {"TaskIdStr", kDaoText, 16, kKey, kReq, kNoZero},
        {"TaskName", kDaoText, 64, kKey, kReq, kNoZero},
    };
    // The first six task settings belong to the key run of columns; the others are updatable.
    for (int i = 0; i < 18; ++i) columns.push_back({kTaskWordColumns[i], kDaoLong, 4, i >= 6, kReq, kNoZero});
    columns.push_back({"TaskPartTrials", kDaoLongBinary, 0, kUpd, kOpt, kNoZero});
    columns.push_back({"TaskParam", kDaoLongBinary, 0, kUpd, kOpt, kNoZero});
    return MakeDaoTableDefinition(columns, MakeDaoPrimaryIndex("ModelIndex", {"Model", "TaskNo"}));
  }();
  return definition;
}

const DaoTableDefinition& PlainAssessmentDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Testee", kDaoText, 64, kKey, kReq, kNoZero},
          {"Model", kDaoText, 64, kKey, kReq, kNoZero},
          {"Task", kDaoText, 16, kKey, kReq, kNoZero},
          {"Date", kDaoDate, 8, kUpd, kReq, kNoZero},
          {"AssNums", kDaoLongBinary, 0, kUpd, kReq, kNoZero},
      },
      MakeDaoPrimaryIndex("AssessmentIndex", {"Testee", "Model", "Task"}));
  return definition;
}

const DaoTableDefinition& PlainResponseDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Testee", kDaoText, 64, kKey, kReq, kNoZero},
          {"Model", kDaoText, 64, kKey, kReq, kNoZero},
          {"Task", kDaoText, 16, kKey, kReq, kNoZero},
          {"Assessment", kDaoLong, 4, kKey, kReq, kNoZero},
          {"PartNo", kDaoLong, 4, kKey, kReq, kNoZero},
          {"SerNo", kDaoLong, 4, kKey, kReq, kNoZero},
          {"Date", kDaoDate, 8, kUpd, kReq, kNoZero},
          {"RespNum", kDaoLong, 4, kUpd, kOpt, kNoZero},
          {"RespType", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
          {"RespTime", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
          {"RespCode", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
          {"ProcType", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
      },
      MakeDaoPrimaryIndex("ResponseIndex", {"Testee", "Model", "Task", "Assessment", "PartNo", "SerNo"}));
  return definition;
}

const DaoTableDefinition& PlainVariableDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Testee", kDaoText, 64, kKey, kReq, kNoZero},
          {"Model", kDaoText, 64, kKey, kReq, kNoZero},
          {"Task", kDaoText, 16, kKey, kReq, kNoZero},
          {"Assessment", kDaoLong, 4, kKey, kReq, kNoZero},
          {"Date", kDaoDate, 8, kUpd, kReq, kNoZero},
          {"VarNum", kDaoLong, 4, kUpd, kReq, kNoZero},
          {"VarAttrs", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
          {"VarNames", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
          {"VarFrmts", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
          {"VarLabels", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
          {"VarValues", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
      },
      MakeDaoPrimaryIndex("VariableIndex", {"Testee", "Model", "Task", "Assessment"}));
  return definition;
}

bool CreateTableOwner(DaoDatabase* db) { return CreateDaoTable(db, kPlainTableOwner, PlainOwnerDefinition()); }
bool CreateTableTesteeCode(DaoDatabase* db) {
  return CreateDaoTable(db, kPlainTableTesteeCode, PlainTesteeCodeDefinition());
}
bool CreateTableTestee(DaoDatabase* db) { return CreateDaoTable(db, kPlainTableTestee, PlainTesteeDefinition()); }
bool CreateTableModel(DaoDatabase* db) { return CreateDaoTable(db, kPlainTableModel, PlainModelDefinition()); }
bool CreateTableAssessment(DaoDatabase* db) {
  return CreateDaoTable(db, kPlainTableAssessment, PlainAssessmentDefinition());
}
bool CreateTableResponse(DaoDatabase* db) { return CreateDaoTable(db, kPlainTableResponse, PlainResponseDefinition()); }
bool CreateTableVariable(DaoDatabase* db) { return CreateDaoTable(db, kPlainTableVariable, PlainVariableDefinition()); }

}  // namespace qel
