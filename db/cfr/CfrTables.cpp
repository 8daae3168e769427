#include "db/cfr/CfrTables.h"

#include <iterator>

#include "db/plain/PlainTables.h"

namespace qel {

using namespace dao_columns;

namespace {

// The audit columns at the end of every data table.
const DaoColumnEntry kDateColumn{"Date", kDaoDate, 8, kUpd, kReq, kNoZero};
const DaoColumnEntry kUserColumn{"User", kDaoText, 64, kUpd, kReq, kNoZero};
const DaoColumnEntry kAttributesColumn{"Attributes", kDaoLong, 4, kUpd, kOpt, kNoZero};

std::vector<DaoColumnEntry> WithAuditColumns(std::vector<DaoColumnEntry> columns) {
  columns.push_back(kDateColumn);
  columns.push_back(kUserColumn);
  columns.push_back(kAttributesColumn);
  return columns;
}

// A twin: the table's fields and the Seq column.
DaoTableDefinition TwinOf(const DaoTableDefinition& table) {
  DaoTableDefinition twin;
  twin.fields = table.fields;
  DaoFieldInfo sequence;
  sequence.name = kCfrHistorySequence;
  sequence.type = kDaoLong;
  sequence.attributes = kDaoFixedField | kDaoAutoIncrField;
  sequence.ordinalPosition = static_cast<int>(twin.fields.size()) + 1;
  twin.fields.push_back(sequence);
  return twin;
}

bool CreateWithTwin(DaoDatabase* database, const std::string& base, const std::string& suffix,
                    const DaoTableDefinition& definition) {
  if (!suffix.empty()) return CreateDaoTable(database, base + suffix, TwinOf(definition), false);
  return CreateDaoTable(database, base, definition, true, CfrRelations());
}

}  // namespace

const DaoTableDefinition& CfrTesteeCodesDefinition() {
  static const DaoTableDefinition definition = MakeDaoTableDefinition(
      WithAuditColumns({
          {"TesteeCode", kDaoText, 64, kKey, kReq, kNoZero},
          {"Comment", kDaoText, 255, kUpd, kOpt, kZero},
          {"Description", kDaoMemo, 0, kUpd, kOpt, kZero},
      }),
      MakeDaoPrimaryIndex("TesteeCodesIndex", {"TesteeCode"}));
  return definition;
}

const DaoTableDefinition& CfrTesteesDefinition() {
  static const DaoTableDefinition definition = [] {
    DaoTableDefinition d = MakeDaoTableDefinition(WithAuditColumns({
                                                      {"Testee", kDaoText, 64, kKey, kReq, kNoZero},
                                                      {"TesteeCode", kDaoText, 64, kUpd, kOpt, kZero},
                                                      {"FirstName", kDaoText, 64, kUpd, kReq, kNoZero},
                                                      {"Surname", kDaoText, 64, kUpd, kReq, kNoZero},
                                                      {"DateBirth", kDaoDate, 8, kUpd, kReq, kNoZero},
                                                      {"Preference", kDaoLong, 4, kUpd, kReq, kNoZero},
                                                      {"Sex", kDaoLong, 4, kUpd, kReq, kNoZero},
                                                      {"Description", kDaoMemo, 0, kUpd, kOpt, kZero},
                                                  }),
                                                  MakeDaoPrimaryIndex("TesteesIndex", {"Testee"}));
    d.fields[1].foreignName = "TesteeCode";
    return d;
  }();
  return definition;
}

const DaoTableDefinition& CfrModelsDefinition() {
  static const DaoTableDefinition definition =
      MakeDaoTableDefinition(WithAuditColumns({
                                 {"Model", kDaoText, 64, kKey, kReq, kNoZero},
                                 {"Version", kDaoLong, 4, kUpd, kReq, kNoZero},
                                 {"VersionStr", kDaoText, 64, kUpd, kReq, kNoZero},
                                 {"TaskNum", kDaoLong, 4, kUpd, kReq, kNoZero},
                             }),
                             MakeDaoPrimaryIndex("ModelsIndex", {"Model"}));
  return definition;
}

const DaoTableDefinition& CfrTasksDefinition() {
  static const DaoTableDefinition definition = [] {
    std::vector<DaoColumnEntry> columns = {
        {"Model", kDaoText, 64, kKey, kReq, kNoZero},
        {"Task", kDaoText, 16, kKey, kReq, kNoZero},
        {"TaskId", kDaoLong, 4, kKey, kReq, kNoZero},
        {"TaskName", kDaoText, 64, kKey, kReq, kNoZero},
    };
    // TaskType ... TaskIntrDummyTrials are key columns too; the rest updatable.
    constexpr size_t kKeyWords = 6;
    for (size_t i = 0; i < std::size(kTaskWordColumns); ++i) {
      columns.push_back({kTaskWordColumns[i], kDaoLong, 4, i >= kKeyWords, kReq, kNoZero});
    }
    columns.push_back({"TaskPartTrials", kDaoLongBinary, 0, kUpd, kOpt, kNoZero});
    columns.push_back({"TaskParam", kDaoLongBinary, 0, kUpd, kOpt, kNoZero});
    DaoTableDefinition d =
        MakeDaoTableDefinition(WithAuditColumns(columns), MakeDaoPrimaryIndex("TasksIndex", {"Model", "Task"}));
    d.fields[0].foreignName = "Model";
    return d;
  }();
  return definition;
}

const DaoTableDefinition& CfrResponsesDefinition() {
  static const DaoTableDefinition definition = [] {
    DaoTableDefinition d = MakeDaoTableDefinition(
        WithAuditColumns({
            {"Testee", kDaoText, 64, kKey, kReq, kNoZero},
            {"Model", kDaoText, 64, kKey, kReq, kNoZero},
            {"Task", kDaoText, 16, kKey, kReq, kNoZero},
            {"AssNo", kDaoLong, 4, kKey, kReq, kNoZero},
            {"PartNo", kDaoLong, 4, kKey, kReq, kNoZero},
            {"SerNo", kDaoLong, 4, kKey, kReq, kNoZero},
            {"DatePart", kDaoDate, 8, kKey, kReq, kNoZero},
            {"RespNum", kDaoLong, 4, kUpd, kReq, kNoZero},
            {"DateBirth", kDaoDate, 8, kUpd, kReq, kNoZero},
            {"Preference", kDaoLong, 4, kUpd, kOpt, kNoZero},
            {"Sex", kDaoLong, 4, kUpd, kOpt, kNoZero},
            {"RespType", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
            {"RespTime", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
            {"RespCode", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
            {"ProcType", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
        }),
        MakeDaoPrimaryIndex("ResponsesIndex", {"Testee", "Model", "Task", "AssNo", "PartNo", "SerNo"}));
    d.fields[0].foreignName = "Testee";
    d.fields[1].foreignName = "Model";
    d.fields[2].foreignName = "Task";
    return d;
  }();
  return definition;
}

const DaoTableDefinition& CfrVariablesDefinition() {
  static const DaoTableDefinition definition =
      MakeDaoTableDefinition(WithAuditColumns({
                                 {"Testee", kDaoText, 64, kKey, kReq, kNoZero},
                                 {"Model", kDaoText, 64, kKey, kReq, kNoZero},
                                 {"Task", kDaoText, 16, kKey, kReq, kNoZero},
                                 {"AssNo", kDaoLong, 4, kKey, kReq, kNoZero},
                                 {"DateAss", kDaoDate, 8, kUpd, kReq, kNoZero},
                                 {"VarNum", kDaoLong, 4, kUpd, kReq, kNoZero},
                                 {"DateBirth", kDaoDate, 8, kUpd, kOpt, kNoZero},
                                 {"Preference", kDaoLong, 4, kUpd, kOpt, kNoZero},
                                 {"Sex", kDaoLong, 4, kUpd, kOpt, kNoZero},
                                 {"VarAttrs", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
                                 {"VarNames", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
                                 {"VarFrmts", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
                                 {"VarLabels", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
                                 {"VarValues", kDaoLongBinary, 0, kUpd, kOpt, kNoZero},
                             }),
                             MakeDaoPrimaryIndex("VariablesIndex", {"Testee", "Model", "Task", "AssNo"}));
  return definition;
}

const DaoTableDefinition& CfrUsersDefinition() {
  static const DaoTableDefinition definition =
      MakeDaoTableDefinition(WithAuditColumns({
                                 {"Id", kDaoText, 64, kKey, kReq, kNoZero},
                                 {"PWD", kDaoText, 64, kUpd, kReq, kNoZero},
                                 {"Type", kDaoLong, 4, kUpd, kReq, kNoZero},
                                 {"Fname", kDaoText, 64, kUpd, kReq, kNoZero},
                                 {"Sname", kDaoText, 64, kUpd, kReq, kNoZero},
                                 {"Registered", kDaoDate, 8, kUpd, kReq, kNoZero},
                                 {"Institute", kDaoText, 64, kUpd, kOpt, kZero},
                                 {"Comment", kDaoText, 255, kUpd, kOpt, kZero},
                             }),
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

const std::vector<DaoRelationInfo>& CfrRelations() {
  static const std::vector<DaoRelationInfo> relations = {
      {"RelTesteeToCode", kCfrTableTesteeCodes, kCfrTableTesteesBase, {{"TesteeCode", "TesteeCode"}}},
      {"RelTaskToModel", kCfrTableModels, kCfrTableTasks, {{"Model", "Model"}}},
      {"RelResponseToTestee", kCfrTableTesteesBase, kCfrTableResponsesBase, {{"Testee", "Testee"}}},
      {"RelResponseToTask", kCfrTableTasks, kCfrTableResponsesBase, {{"Model", "Model"}, {"Task", "Task"}}},
      {"RelVariableToTestee", kCfrTableTesteesBase, kCfrTableVariablesBase, {{"Testee", "Testee"}}},
      {"RelVariableToTask", kCfrTableTasks, kCfrTableVariablesBase, {{"Model", "Model"}, {"Task", "Task"}}},
  };
  return relations;
}

std::string GetTesteesTableName(const std::string& suffix) { return std::string(kCfrTableTesteesBase) + suffix; }
std::string GetResponsesTableName(const std::string& suffix) { return std::string(kCfrTableResponsesBase) + suffix; }
std::string GetVariablesTableName(const std::string& suffix) { return std::string(kCfrTableVariablesBase) + suffix; }
std::string GetStringsTableName(const std::string& suffix) { return std::string(kCfrTableStringsBase) + suffix; }

bool CreateTableTesteeCodes(DaoDatabase* database) {
  return CreateDaoTable(database, kCfrTableTesteeCodes, CfrTesteeCodesDefinition());
}

bool CreateTableModels(DaoDatabase* database) { return CreateDaoTable(database, kCfrTableModels, CfrModelsDefinition()); }

bool CreateTableTasks(DaoDatabase* database) {
  return CreateDaoTable(database, kCfrTableTasks, CfrTasksDefinition(), true, CfrRelations());
}

bool CreateTableUsers(DaoDatabase* database) { return CreateDaoTable(database, kCfrTableUsers, CfrUsersDefinition()); }

bool CreateTableTestees(DaoDatabase* database, const std::string& suffix) {
  return CreateWithTwin(database, kCfrTableTesteesBase, suffix, CfrTesteesDefinition());
}

bool CreateTableResponses(DaoDatabase* database, const std::string& suffix) {
  return CreateWithTwin(database, kCfrTableResponsesBase, suffix, CfrResponsesDefinition());
}

bool CreateTableVariables(DaoDatabase* database, const std::string& suffix) {
  return CreateWithTwin(database, kCfrTableVariablesBase, suffix, CfrVariablesDefinition());
}

bool CreateTableStrings(DaoDatabase* database, const std::string& suffix) {
  return CreateDaoTable(database, GetStringsTableName(suffix), CfrStringsDefinition());
}

}  // namespace qel
