// Tables of the audited (CFR) project file and the workstation users
// database that the first rows of a new file go to: TesteeCodes, Users and
// the header table Strings<suffix> (StringsProject marks a CFR project).
#pragma once

#include <string>

#include "db/Dao.h"

namespace qel {

inline constexpr char kCfrTableTesteeCodes[] = "TesteeCodes";
inline constexpr char kCfrTableUsers[] = "Users";
inline constexpr char kCfrTableStringsBase[] = "Strings";
inline constexpr char kCfrProjectSuffix[] = "Project";

const DaoTableDefinition& CfrTesteeCodesDefinition();
const DaoTableDefinition& CfrUsersDefinition();
const DaoTableDefinition& CfrStringsDefinition();

// "Strings" and the suffix (an empty suffix gives "Strings").
std::string GetStringsTableName(const std::string& suffix);

bool CreateTableTesteeCodes(DaoDatabase* database);
bool CreateTableUsers(DaoDatabase* database);
// Strings<suffix>, always with its index.
bool CreateTableStrings(DaoDatabase* database, const std::string& suffix);

}  // namespace qel
