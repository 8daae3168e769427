// Tables of the audited (CFR) project file and of the workstation users
// database: every column and index, the History twins of Testees,
// Responses and Variables, the header table Strings<suffix> (StringsProject
// marks a CFR project), and the relations between the project's tables.
//
// Every data table ends with Date (the last write), User (who wrote it) and
// Attributes. A twin has its table's columns and no index, and one column
// more at its end: Seq, the number the engine gives each kept version in
// the order versions were kept, so that two versions written within one
// second still have their order. Responses keep the serial number of a
// part (SerNo) in their key, as the plain format does, so that no stored
// part of a plain project collides with another when it is converted.
#pragma once

#include <string>
#include <vector>

#include "db/Dao.h"

namespace qel {

inline constexpr char kCfrTableTesteeCodes[] = "TesteeCodes";
inline constexpr char kCfrTableTesteesBase[] = "Testees";
inline constexpr char kCfrTableModels[] = "Models";
inline constexpr char kCfrTableTasks[] = "Tasks";
inline constexpr char kCfrTableResponsesBase[] = "Responses";
inline constexpr char kCfrTableVariablesBase[] = "Variables";
inline constexpr char kCfrTableUsers[] = "Users";
inline constexpr char kCfrTableRegister[] = "Register";
inline constexpr char kCfrTableStringsBase[] = "Strings";
inline constexpr char kCfrProjectSuffix[] = "Project";
inline constexpr char kCfrHistorySuffix[] = "History";
// The twins' column of kept-version numbers.
inline constexpr char kCfrHistorySequence[] = "Seq";

const DaoTableDefinition& CfrTesteeCodesDefinition();
const DaoTableDefinition& CfrTesteesDefinition();
const DaoTableDefinition& CfrModelsDefinition();
const DaoTableDefinition& CfrTasksDefinition();
const DaoTableDefinition& CfrResponsesDefinition();
const DaoTableDefinition& CfrVariablesDefinition();
const DaoTableDefinition& CfrUsersDefinition();
const DaoTableDefinition& CfrStringsDefinition();
// The six relations of a CFR project (RelTesteeToCode ... RelVariableToTask).
const std::vector<DaoRelationInfo>& CfrRelations();

// The base name and the suffix (an empty suffix gives the base name).
std::string GetTesteesTableName(const std::string& suffix);
std::string GetResponsesTableName(const std::string& suffix);
std::string GetVariablesTableName(const std::string& suffix);
std::string GetStringsTableName(const std::string& suffix);

// Each creates its table with its index and the relations that lead to it.
bool CreateTableTesteeCodes(DaoDatabase* database);
bool CreateTableModels(DaoDatabase* database);
bool CreateTableTasks(DaoDatabase* database);
bool CreateTableUsers(DaoDatabase* database);
// With an empty suffix the table with its index and relations; with a
// suffix the twin (no index, no relation, the Seq column at its end).
bool CreateTableTestees(DaoDatabase* database, const std::string& suffix);
bool CreateTableResponses(DaoDatabase* database, const std::string& suffix);
bool CreateTableVariables(DaoDatabase* database, const std::string& suffix);
// Strings<suffix>, always with its index.
bool CreateTableStrings(DaoDatabase* database, const std::string& suffix);

}  // namespace qel
