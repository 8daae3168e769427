#include "db/DbException.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/Prompt.h"

namespace qel {

namespace {

constexpr int kSqliteError = 1;
constexpr int kSqlitePerm = 3;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteIoErr = 10;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteAuth = 23;
constexpr int kSqliteNotADb = 26;

std::string MakeStateText(const char* name, int native, const char* origin) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "State:%s,Native:%d,Origin:[%s]", name, native, origin);
  return buffer;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

DbException::DbException(DbErrorKind kind, std::string stateText, std::string errorText, int nativeCode,
                         int systemErrno)
    : m_kind(kind),
      m_stateText(std::move(stateText)),
      m_errorText(std::move(errorText)),
      m_nativeCode(nativeCode),
      m_systemErrno(systemErrno),
      m_what(m_stateText + " " + m_errorText) {}

DbException DbException::FromSqlite(int extendedCode, int systemErrno, const std::string& message) {
  std::string text = message;
  if (systemErrno != 0) text += std::string(" (") + std::strerror(systemErrno) + ")";
  return DbException(ClassifySqliteError(extendedCode, systemErrno, message),
                     MakeStateText(SqliteResultName(extendedCode), extendedCode, "SQLCipher"), text, extendedCode,
                     systemErrno);
}

DbException DbException::FromSystem(int err, const std::string& what, const std::string& path) {
  const char* name = strerrorname_np(err);
  return DbException(ClassifySystemError(err), MakeStateText(name ? name : "errno", err, "System"),
                     what + " \"" + path + "\": " + std::strerror(err), err, err);
}

DbException DbException::Logic(const std::string& message) {
  return DbException(DbErrorKind::kOther, MakeStateText("QEL_DB", 0, "Qel"), message);
}

const char* SqliteResultName(int code) {
  static const char* const kNames[] = {
      "SQLITE_OK",       "SQLITE_ERROR",      "SQLITE_INTERNAL", "SQLITE_PERM",      "SQLITE_ABORT",  "SQLITE_BUSY",
      "SQLITE_LOCKED",   "SQLITE_NOMEM",      "SQLITE_READONLY", "SQLITE_INTERRUPT", "SQLITE_IOERR",  "SQLITE_CORRUPT",
      "SQLITE_NOTFOUND", "SQLITE_FULL",       "SQLITE_CANTOPEN", "SQLITE_PROTOCOL",  "SQLITE_EMPTY",  "SQLITE_SCHEMA",
      "SQLITE_TOOBIG",   "SQLITE_CONSTRAINT", "SQLITE_MISMATCH", "SQLITE_MISUSE",    "SQLITE_NOLFS",  "SQLITE_AUTH",
      "SQLITE_FORMAT",   "SQLITE_RANGE",      "SQLITE_NOTADB",   "SQLITE_NOTICE",    "SQLITE_WARNING"};
  const int primary = code & 0xff;
  if (primary >= 0 && primary < static_cast<int>(sizeof kNames / sizeof kNames[0])) return kNames[primary];
  if (primary == 100) return "SQLITE_ROW";
  if (primary == 101) return "SQLITE_DONE";
  return "SQLITE_UNKNOWN";
}

DbErrorKind ClassifySystemError(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return DbErrorKind::kMissingFile;
    case EACCES:
    case EPERM:
    case EROFS:
      return DbErrorKind::kNoPermission;
    case EEXIST:
      return DbErrorKind::kFileExists;
    default:
      return DbErrorKind::kOther;
  }
}

DbErrorKind ClassifySqliteError(int extendedCode, int systemErrno, const std::string& message) {
  switch (extendedCode & 0xff) {
    case kSqliteNotADb:
      return DbErrorKind::kWrongKey;
    case kSqliteCantOpen:
    case kSqliteIoErr: {
      const DbErrorKind kind = ClassifySystemError(systemErrno);
      return kind == DbErrorKind::kFileExists ? DbErrorKind::kOther : kind;
    }
    case kSqlitePerm:
    case kSqliteAuth:
      return DbErrorKind::kNoPermission;
    case kSqliteBusy:
    case kSqliteLocked:
      return DbErrorKind::kBusy;
    case kSqliteError:
      if (StartsWith(message, "no such table") || StartsWith(message, "no such column") ||
          StartsWith(message, "no such index") || StartsWith(message, "no such savepoint")) {
        return DbErrorKind::kMissingItem;
      }
      return DbErrorKind::kOther;
    default:
      return DbErrorKind::kOther;
  }
}

int ClassifyDBException(const DbException* e) {
  if (!e) return kDbResultOther;
  switch (e->Kind()) {
    case DbErrorKind::kMissingFile:
      return kDbResultDriverState;
    case DbErrorKind::kWrongKey:
      return kDbResultWrongPassword;
    case DbErrorKind::kNoPermission:
      return kDbResultNoPermission;
    default:
      return kDbResultOther;
  }
}

int ReportDBException(const DbException* e, const std::string& caption, const std::string& detail, bool show) {
  if (!e) return kDbResultOther;
  const int code = ClassifyDBException(e);
  std::string reason;
  if (code == kDbResultWrongPassword) {
    reason = "Not a valid password";
  } else if (code == kDbResultNoPermission) {
    reason = "No permission";
  } else {
    reason = e->StateText() + "\r\n" + e->ErrorText();
  }
  const std::string detailPart = detail.empty() ? std::string() : ", " + detail;
  if (show) ShowPrompt(caption + detailPart + "\r\n" + reason, "Qel", kPromptOk);
  return code;
}

DaoException::DaoException(int code, std::string source, std::string description)
    : m_code(code), m_source(std::move(source)), m_description(std::move(description)) {}

DaoException DaoException::FromDbException(const DbException& e) {
  int code = e.NativeCode();
  switch (e.Kind()) {
    case DbErrorKind::kMissingFile:
      code = kDaoErrorFileNotFound;
      break;
    case DbErrorKind::kWrongKey:
      code = kDaoErrorPassword;
      break;
    case DbErrorKind::kFileExists:
      code = kDaoErrorFileExists;
      break;
    case DbErrorKind::kMissingItem:
      code = kDaoErrorItemNotFound;
      break;
    default:
      break;
  }
  return DaoException(code, e.StateText(), e.ErrorText());
}

int DaoErrorText(const DaoException& e, std::string* text, bool passwordRequired) {
  std::string out;
  int result = kDaoResultOther;
  switch (e.Code()) {
    case kDaoErrorFileNotFound:
      out = "FILE NOT FOUND!";
      result = kDaoResultFileNotFound;
      break;
    case kDaoErrorPassword:
      out = passwordRequired ? "PASSWORD REQUIRED!" : "INVALID PASSWORD!";
      result = kDaoResultPassword;
      break;
    case kDaoErrorFileExists:
      out = "FILE ALREADY EXISTS!";
      result = kDaoResultFileExists;
      break;
    case kDaoErrorItemNotFound:
      out = "MISSING " + e.Source() + "\r\n" + e.Description();
      result = kDaoResultItemNotFound;
      break;
    default:
      out = "ERROR " + std::to_string(e.Code()) + ":\r\n" + e.Source() + "\r\n" + e.Description();
      break;
  }
  if (text) *text = out;
  return result;
}

int ReportDaoException(const DaoException* e, const std::string& caption, bool show, const std::string& detail,
                       bool passwordRequired) {
  if (!e) return kDaoResultOther;
  std::string text;
  const int result = DaoErrorText(*e, &text, passwordRequired);
  const std::string head = caption.empty() ? std::string() : caption + ": ";
  if (show) ShowPrompt(head + detail + "\r\n" + text, "Qel", kPromptOk | kPromptIconWarning);
  return result;
}

}  // namespace qel
