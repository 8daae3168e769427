// Errors of the database layer. Database work travels as a DbException (the
// connection, the record sets and the statement builders throw it); the
// caller classifies it into the program's small result codes and reports
// it to the operator. The creation of new files (tables, first rows) reports
// its errors as a DaoException with the codes of the file-creation layer.
//
// Thread contract: user-interface thread only (reports show a message).
#pragma once

#include <exception>
#include <string>

namespace qel {

// What went wrong, as far as the program distinguishes it.
enum class DbErrorKind {
  kOther,
  kMissingFile,   // the database file (or its folder) does not exist
  kWrongKey,      // the file is protected and the key is wrong or missing
  kNoPermission,  // the file cannot be read (or written when asked)
  kFileExists,    // a new file would replace an existing one
  kMissingItem,   // no such table, column or index
  kBusy,          // another connection holds a lock
};

// Result codes of ClassifyDBException (and of the connect results kept by
// the project layer).
enum DbResultCode : int {
  kDbResultOther = 1,
  kDbResultDriverState = 2,  // the file is missing
  kDbResultWrongPassword = 5,
  kDbResultNoPermission = 6,
};

class DbException : public std::exception {
 public:
  DbException(DbErrorKind kind, std::string stateText, std::string errorText, int nativeCode = 0, int systemErrno = 0);

  // From an SQLite (SQLCipher) result code and the errno of the failed file
  // operation (0 when none).
  static DbException FromSqlite(int extendedCode, int systemErrno, const std::string& message);
  // From a failed file operation: errno, what was done, the file.
  static DbException FromSystem(int err, const std::string& what, const std::string& path);
  // An error of the layer itself (a statement it cannot build, a misuse).
  static DbException Logic(const std::string& message);

  DbErrorKind Kind() const { return m_kind; }
  // "State:<name>,Native:<code>,Origin:[<engine>]".
  const std::string& StateText() const { return m_stateText; }
  const std::string& ErrorText() const { return m_errorText; }
  int NativeCode() const { return m_nativeCode; }
  int SystemErrno() const { return m_systemErrno; }
  const char* what() const noexcept override { return m_what.c_str(); }

 private:
  DbErrorKind m_kind;
  std::string m_stateText;
  std::string m_errorText;
  int m_nativeCode;
  int m_systemErrno;
  std::string m_what;
};

// The kind of an SQLite failure: a missing file, a wrong key (the file is
// not a database it can read), no permission, a lock, a missing item.
DbErrorKind ClassifySqliteError(int extendedCode, int systemErrno, const std::string& message);
// The kind of a failed file operation's errno.
DbErrorKind ClassifySystemError(int err);
// SQLite's name of a result code ("SQLITE_CANTOPEN"); extended codes give
// the name of their primary code.
const char* SqliteResultName(int code);

// 1 (no exception or another error), 2 (missing file), 5 (wrong or missing
// password), 6 (no permission). The exception stays as it is.
int ClassifyDBException(const DbException* e);

// Builds "<caption>[, <detail>]\r\n<reason>" (reason "Not a valid password"
// for code 5, "No permission" for code 6, else the state text and the error
// text on two lines), shows it when asked (OK button, no icon) and returns
// the code. An empty detail means none. A null exception returns 1 and
// shows nothing.
int ReportDBException(const DbException* e, const std::string& caption, const std::string& detail, bool show);

// Error codes of the file-creation layer and the result codes they map to.
enum DaoErrorCode : int {
  kDaoErrorFileNotFound = 3024,
  kDaoErrorPassword = 3031,
  kDaoErrorFileExists = 3204,
  kDaoErrorItemNotFound = 3265,
};

enum DaoResultCode : int {
  kDaoResultOther = 1,
  kDaoResultFileNotFound = 2,
  kDaoResultFileExists = 3,
  kDaoResultItemNotFound = 4,
  kDaoResultPassword = 5,
};

class DaoException : public std::exception {
 public:
  DaoException(int code, std::string source, std::string description);
  // The code by kind (missing file 3024, wrong key 3031, existing file 3204,
  // missing item 3265); any other error keeps its native code.
  static DaoException FromDbException(const DbException& e);

  int Code() const { return m_code; }
  const std::string& Source() const { return m_source; }
  const std::string& Description() const { return m_description; }
  const char* what() const noexcept override { return m_description.c_str(); }

 private:
  int m_code;
  std::string m_source;
  std::string m_description;
};

// The operator's text and the result code of a file-creation error.
int DaoErrorText(const DaoException& e, std::string* text, bool passwordRequired);

// "<caption>: <detail>\r\n<text>" (no ": " after an empty caption), shown
// with the exclamation icon when asked; returns DaoErrorText's code.
int ReportDaoException(const DaoException* e, const std::string& caption, bool show, const std::string& detail,
                       bool passwordRequired);

}  // namespace qel
