// Access rights that open a shared file (the workstation users database) and
// its folder to every account of the workstation, through POSIX access-
// control lists (libacl).
//
// The accounts of the workstation are the members of the local users'
// group ("users"): it gets a named group entry, with writing when allowed.
// Every other account (a guest) may read. Entries of other users and groups
// stay as they are.
//
// A filesystem that keeps no access-control lists refuses them: the
// operation then fails with the reason, and nothing is set in their place
// (no wider mode bits instead).
//
// Thread contract: any thread; no shared state.
#pragma once

#include <string>

namespace qel {

// The group of the workstation's local accounts.
inline constexpr char kLocalUsersGroup[] = "users";

// The file's access ACL gets the entry "group users: read (and write when
// allowed)" and "others: read"; a program (executable for its owner) may be
// run by both too. The mask follows. True only when the new ACL was
// written; otherwise false with the reason in error (when given) and the
// file keeps its previous ACL.
bool SetFileAccessForUsers(const std::string& path, bool allowWriting, std::string* error = nullptr);

// The same for a folder (with search rights), given also as the folder's
// default ACL, so the files made in it (a database's journal) get the same
// entries. Writing in the folder is what lets the group's members write a
// database there: the engine makes its journal beside the file.
bool SetFolderAccessForUsers(const std::string& folder, bool allowWriting, std::string* error = nullptr);

}  // namespace qel
