#include "project/users/WorkstationUsers.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "common/Prompt.h"
#include "db/Dao.h"
#include "db/DbException.h"
#include "db/acl/FileAccess.h"
#include "db/cfr/CfrDaoRecordsets.h"
#include "db/cfr/CfrTables.h"

namespace qel {

namespace {

constexpr char kCaption[] = "Qel";
constexpr char kCreateCaption[] = "CreateUsers";
constexpr char kLoadCaption[] = "LoadUsers";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool IsMissing(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
}

CUserRecord ToUserRecord(const CUsersRecord& row) {
  CUserRecord user;
  user.m_id = row.m_id;
  user.m_password = row.m_pwd;
  user.m_type = row.m_type;
  user.m_firstName = row.m_fname;
  user.m_surname = row.m_sname;
  user.m_registered = row.m_registered;
  user.m_institute = row.m_institute;
  user.m_comment = row.m_comment;
  return user;
}

// A refusal of access rights is told: the other accounts of the workstation
// would otherwise find the users list closed to them without a word.
void ShowAccessRefused(const std::string& path, const std::string& reason) {
  ShowPrompt("Users list\n" + Quoted(path) + "\nis not open to every account of the workstation:\n" + reason,
             kCaption, kPromptOk | kPromptIconWarning);
}

}  // namespace

std::string GetUsersFolder() {
  const char* configured = std::getenv(kUsersFolderVariable);
  std::string folder = configured && *configured ? configured : kDefaultUsersFolder;
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string GetUsersFilePath() { return GetUsersFolder() + kUsersFileName; }

bool CreateUsers(const std::string& path, const char* password, bool showMessages) {
  if (path.empty()) return false;
  const std::string key = password ? password : "";
  try {
    DaoDatabase db;
    // The key protects the file from its first byte; the file gets its name
    // only when it is complete, and is dropped otherwise.
    db.Create(path, key);
    if (!CreateTableUsers(&db)) return false;  // reported
    db.Complete();
  } catch (const DaoException& e) {
    if (e.Code() == kDaoErrorFileExists) {
      if (showMessages) {
        ShowPrompt("Users list\n" + Quoted(path) + "\nalready exists!", kCaption, kPromptOk | kPromptIconWarning);
      }
    } else {
      ReportDaoException(&e, kCreateCaption, showMessages, path, false);
    }
    return false;
  }
  if (showMessages) {
    ShowPrompt("Users list\n" + Quoted(path) + "\nsuccesfully created!", kCaption, kPromptOk | kPromptIconInfo);
  }
  return true;
}

bool LoadUsers(const std::string& path, bool* hasRegister, CUserArray* users) {
  if (hasRegister) *hasRegister = false;
  if (users) users->clear();
  if (path.empty()) return false;
  CUserArray list;
  try {
    DaoDatabase db;
    db.Open(path, true, std::string());
    const bool withRegister = DaoTableExists(&db, kRegisterTable);
    if (hasRegister) *hasRegister = withRegister;
    if (!DaoTableExists(&db, kUsersTable)) return false;
    CQelRs4DaoUsers rows(&db);
    rows.Open(DaoRecordset::kOpenForwardOnly, std::string(), DaoRecordset::kReadOnly);
    rows.SetIndex(CfrUsersDefinition().indexes.front().name);
    for (; !rows.IsEOF(); rows.MoveNextRead()) list.push_back(ToUserRecord(rows));
  } catch (const DaoException& e) {
    ReportDaoException(&e, kLoadCaption, true, path, false);
    return false;
  }
  if (users) *users = std::move(list);
  return true;
}

bool PrepareWorkstationUsers(bool* hasRegister, CUserArray* users) {
  const std::string folder = GetUsersFolder();
  std::string reason;
  if (IsMissing(folder)) {
    std::error_code ec;
    // A folder the program cannot make leaves the users list uncreated; the
    // load below then tells why.
    if (std::filesystem::create_directories(folder, ec) && !SetFolderAccessForUsers(folder, true, &reason)) {
      ShowAccessRefused(folder, reason);
    }
  }
  const std::string path = GetUsersFilePath();
  if (IsMissing(path) && CreateUsers(path, nullptr, false) && !SetFileAccessForUsers(path, true, &reason)) {
    ShowAccessRefused(path, reason);
  }
  return LoadUsers(path, hasRegister, users);
}

}  // namespace qel
