#include "db/cfr/CfrTables.h"

namespace qel {

using namespace dao_columns;

const DaoTableDefinition& CfrTesteeCodesDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"TesteeCode", kDaoText, 64, kKey, kReq, kNoZero},
          {"Comment", kDaoText, 255, kUpd, kOpt, kZero},
          {"Description", kDaoMemo, 0, kUpd, kOpt, kZero},
          {"Date", kDaoDate, 8, kUpd, kReq, kNoZero},
          {"User", kDaoText, 64, kUpd, kReq, kNoZero},
          {"Attributes", kDaoLong, 4, kUpd, kOpt, kNoZero},
      },
      MakeDaoPrimaryIndex("TesteeCodesIndex", {"TesteeCode"}));
  return definition;
}

const DaoTableDefinition& CfrUsersDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"Id", kDaoText, 64, kKey, kReq, kNoZero},
          {"PWD", kDaoText, 64, kUpd, kReq, kNoZero},
          {"Type", kDaoLong, 4, kUpd, kReq, kNoZero},
          {"Fname", kDaoText, 64, kUpd, kReq, kNoZero},
          {"Sname", kDaoText, 64, kUpd, kReq, kNoZero},
          {"Registered", kDaoDate, 8, kUpd, kReq, kNoZero},
          {"Institute", kDaoText, 64, kUpd, kOpt, kZero},
          {"Comment", kDaoText, 255, kUpd, kOpt, kZero},
          {"Date", kDaoDate, 8, kUpd, kReq, kNoZero},
          {"User", kDaoText, 64, kUpd, kReq, kNoZero},
          {"Attributes", kDaoLong, 4, kUpd, kOpt, kNoZero},
      },
      MakeDaoPrimaryIndex("UsersIndex", {"Id"}));
  return definition;
}

const DaoTableDefinition& CfrStringsDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      {
          {"CodeNumber", kDaoLong, 4, kKey, kReq, kNoZero},
          {"CodeString", kDaoText, 255, kUpd, kReq, kNoZero},
          {"Number1", kDaoLong, 4, kUpd, kOpt, kNoZero},
          {"Number2", kDaoLong, 4, kUpd, kOpt, kNoZero},
          {"String1", kDaoText, 255, kUpd, kOpt, kZero},
          {"String2", kDaoText, 255, kUpd, kOpt, kZero},
          {"Attributes", kDaoLong, 4, kUpd, kOpt, kNoZero},
      },
      MakeDaoPrimaryIndex("StringsIndex", {"CodeNumber"}));
  return definition;
}

std::string GetStringsTableName(const std::string& suffix) { return std::string(kCfrTableStringsBase) + suffix; }

bool CreateTableTesteeCodes(DaoDatabase* database) {
  return CreateDaoTable(database, kCfrTableTesteeCodes, CfrTesteeCodesDefinition());
}

bool CreateTableUsers(DaoDatabase* database) { return CreateDaoTable(database, kCfrTableUsers, CfrUsersDefinition()); }

bool CreateTableStrings(DaoDatabase* database, const std::string& suffix) {
  return CreateDaoTable(database, GetStringsTableName(suffix), CfrStringsDefinition());
}

}  // namespace qel
