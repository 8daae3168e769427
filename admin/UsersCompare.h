// The rules of the users list and users comparison dialogs that need no
// window: the notice texts, when the notice shows, the Id looked for, and
// the comparison of two users lists (the source names are UserSourceName
// of admin/UserForm.h) that marks the entries that differ.
//
// Threads: the user-interface thread only.
#pragma once

#include <string>
#include <vector>

#include "admin/UserRecord.h"

namespace qel {

constexpr const char* kNoUsersNotice = "NO USERS IN THIS PROJECT!";
constexpr const char* kDuplicateUserNotice = "! Duplicate User Id, try another one !";
constexpr const char* kUsersDifferNotice = "SOME USERS DIFFER!";

// The users list's notice: a looked-for Id always means a duplicate;
// otherwise a view-only list tells that the project has no users.
std::string UsersListNotice(bool viewOnly, const std::string& idToFind);
// Shown only on a view-only list, when it is empty or the Id was found.
bool UsersListNoticeShown(bool viewOnly, int count, bool idFound);
// "%s: Registered Users", or "%s: Search for user %s" when an Id is looked for.
std::string UsersListCaption(const std::string& source, const std::string& idToFind);
// The first user whose Id equals the Id exactly; -1 when none (or no Id).
int FindUserRow(const std::vector<CUserRecord>& users, const std::string& id);

// The same person: stored password, first name, surname, comment and
// institute all equal (exactly); the type and the registration are not
// compared.
bool IsSameUser(const CUserRecord& a, const CUserRecord& b);

enum class UserMark { kNone, kDiffers, kMissing };

struct CUsersComparison {
  std::vector<UserMark> marks;  // one per user of the list compared
  int differences = 0;          // namesakes that are not the same user
};

// Each user of `compared` against its namesakes (equal Id) in `reference`:
// marked as differing when any namesake is not the same user, as missing
// when it has none. Users without a namesake are not counted as differences.
CUsersComparison CompareUsers(const std::vector<CUserRecord>& compared, const std::vector<CUserRecord>& reference);

// The comparison dialog's caption: "Project %s: " and the direction's text.
std::string UsersCompareCaption(const std::string& projectName, bool projectAgainstWorkstation);

}  // namespace qel
