// The tables of the plain project file (format "04.00"): Owner, TesteeCode,
// Testee, Model, Assessment, Response and Variable, with every column and
// index, created from their static definitions.
#pragma once

#include "db/Dao.h"

namespace qel {

inline constexpr char kPlainTableOwner[] = "Owner";
inline constexpr char kPlainTableTesteeCode[] = "TesteeCode";
inline constexpr char kPlainTableTestee[] = "Testee";
inline constexpr char kPlainTableModel[] = "Model";
inline constexpr char kPlainTableAssessment[] = "Assessment";
inline constexpr char kPlainTableResponse[] = "Response";
inline constexpr char kPlainTableVariable[] = "Variable";

// The columns of the 18 task settings, TaskType to TaskIntHigh, in the order
// of the model-task record's words.
inline constexpr const char* kTaskWordColumns[18] = {"TaskType",
                                                     "TaskFlags",
                                                     "TaskIntrAfterTrials",
                                                     "TaskIntrContinue",
                                                     "TaskIntrReplaceTrial",
                                                     "TaskIntrDummyTrials",
                                                     "TaskSSS",
                                                     "TaskFbk",
                                                     "TaskVersion",
                                                     "TaskSDType",
                                                     "TaskSDLow",
                                                     "TaskSDHigh",
                                                     "TaskControl",
                                                     "TaskVRLow",
                                                     "TaskVRHigh",
                                                     "TaskIntType",
                                                     "TaskIntLow",
                                                     "TaskIntHigh"};

// The static definitions (built once, never changed).
const DaoTableDefinition& PlainOwnerDefinition();
const DaoTableDefinition& PlainTesteeCodeDefinition();
const DaoTableDefinition& PlainTesteeDefinition();
const DaoTableDefinition& PlainModelDefinition();
const DaoTableDefinition& PlainAssessmentDefinition();
const DaoTableDefinition& PlainResponseDefinition();
const DaoTableDefinition& PlainVariableDefinition();

// Each creates its table with its index; true when the table was made.
bool CreateTableOwner(DaoDatabase* database);
bool CreateTableTesteeCode(DaoDatabase* database);
bool CreateTableTestee(DaoDatabase* database);
bool CreateTableModel(DaoDatabase* database);
bool CreateTableAssessment(DaoDatabase* database);
bool CreateTableResponse(DaoDatabase* database);
bool CreateTableVariable(DaoDatabase* database);

}  // namespace qel
