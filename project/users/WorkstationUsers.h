// The workstation's list of users (the people who may log in and work on
// audited projects): the users database "Qel.qeu" with its one table Users,
// created when missing and read into the program's user list.
//
// Where it lives: every account of the workstation must reach one shared
// file, so it is not beside the program (a folder only the administrator
// writes) nor in a home folder, but in the shared folder /var/lib/qel/,
// which the program's package makes (group "users", writable by it) and the
// program makes itself when it may. The environment variable
// QEL_USERS_FOLDER names another folder (tests, a folder on a server).
//
// Passwords of users are kept in their stored form (a salted hash; see
// admin/UserRecord.h); the password of the database itself is its
// encryption key and is stored nowhere.
//
// Thread contract: user-interface thread only.
#pragma once

#include <string>
#include <vector>

#include "admin/UserRecord.h"

namespace qel {

using CUserArray = std::vector<CUserRecord>;

inline constexpr char kUsersFileName[] = "Qel.qeu";
inline constexpr char kDefaultUsersFolder[] = "/var/lib/qel/";
inline constexpr char kUsersFolderVariable[] = "QEL_USERS_FOLDER";
inline constexpr char kUsersTable[] = "Users";
inline constexpr char kRegisterTable[] = "Register";

// The folder of the users database, with its trailing '/'.
std::string GetUsersFolder();
// The users database: GetUsersFolder() + "Qel.qeu".
std::string GetUsersFilePath();

// Creates the users database at path: the table Users with its index, no
// rows, protected by the password when one is given (a null password counts
// as empty). The file appears only when complete; a failed creation leaves
// none. An existing file is never touched: false, and with showMessages
// "Users list\n\"<path>\"\nalready exists!". Other failures are reported
// with the caption "CreateUsers" (shown with showMessages). Success shows
// "Users list\n\"<path>\"\nsuccesfully created!" with showMessages.
bool CreateUsers(const std::string& path, const char* password, bool showMessages);

// Reads the users database at path (read-only, without a password) into
// users, in the order of their Id. hasRegister tells whether the file also
// holds a table Register. False (users empty) without a path, without a
// table Users (nothing reported), or on a database error (reported with the
// caption "LoadUsers" and the path).
bool LoadUsers(const std::string& path, bool* hasRegister, CUserArray* users);

// What start-up does with the workstation's users before the login: makes
// the users folder when it is missing and opens it to every account; when
// the users database is missing, creates it (no password, no messages) and
// opens it to every account (the users' group may write); a refusal of
// access rights is shown, not hidden. Then loads the list (LoadUsers).
// Returns whether the list was loaded.
bool PrepareWorkstationUsers(bool* hasRegister, CUserArray* users);

}  // namespace qel
