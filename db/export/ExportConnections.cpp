#include "db/export/ExportConnections.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "db/DbException.h"
#include "db/export/DbaseDriver.h"
#include "db/export/ExcelDriver.h"

namespace qel {

namespace {

std::string FolderOf(const std::string& path) {
  const std::string folder = GetDirectoryOfPath(path);
  return folder.empty() ? "./" : folder;
}

// A folder of text files through a connect string: its .txt files are its
// tables, and dropping one removes its file. Rows are written by the text
// record set itself.
class TextFolderDriver : public DbDriver {
 public:
  explicit TextFolderDriver(const std::string& folder) : m_folder(folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) throw DbException::FromSystem(errno, "Cannot open the folder", folder);
  }

  std::vector<DbCatalogTable> Tables() override {
    std::vector<DbCatalogTable> tables;
    if (DIR* dir = ::opendir(m_folder.c_str())) {
      while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() > 4 && name[0] != '.' && name.compare(name.size() - 4, 4, ".txt") == 0) {
          tables.push_back(DbCatalogTable{m_folder, "", name.substr(0, name.size() - 4), "TABLE", ""});
        }
      }
      ::closedir(dir);
    }
    return tables;
  }
  std::vector<DbCatalogColumn> Columns(const std::string&) override { return {}; }
  std::unique_ptr<DbCursor> OpenCursor(const DbQuery& query) override { throw Unsupported(query.table); }
  void Execute(const DbStatement& statement) override {
    if (statement.kind != DbStatement::Kind::kDropTable) throw Unsupported(statement.table);
    const std::string path = m_folder + statement.table + ".txt";
    if (::unlink(path.c_str()) != 0) throw DbException::FromSystem(errno, "Cannot remove", path);
  }
  void Close() override {}

 private:
  static DbException Unsupported(const std::string& table) {
    return DbException(DbErrorKind::kOther, "State:HYC00,Native:0,Origin:[Text]",
                       "Text tables are written by their record set: " + table);
  }
  std::string m_folder;
};

std::unique_ptr<DbDriver> OpenTextDriver(const DbConnectString& connect, bool) {
  return std::make_unique<TextFolderDriver>(connect.path);
}

}  // namespace

DbConnectString BuildDbaseConnectString(const std::string& path) {
  DbConnectString connect;
  if (path.empty()) return connect;
  connect.path = FolderOf(path);
  connect.text = "Driver=dBase IV;DefaultDir=" + connect.path + ";";
  connect.opener = &OpenDbaseDriver;
  return connect;
}

DbConnectString BuildExcelConnectString(const std::string& path) {
  DbConnectString connect;
  if (path.empty()) return connect;
  connect.path = path;
  connect.text = "DBQ=" + path + ";DefaultDir=" + GetDirectoryOfPath(path) + ";Driver=Excel (xlsx);";
  connect.opener = &OpenExcelDriver;
  return connect;
}

DbConnectString BuildTextConnectString(const std::string& path) {
  DbConnectString connect;
  if (path.empty()) return connect;
  connect.path = FolderOf(path);
  connect.text = "DefaultDir=" + connect.path + ";Driver=Text;Extensions=txt;";
  connect.opener = &OpenTextDriver;
  return connect;
}

CDbOdbcText::CDbOdbcText(const std::string& path) : CDbOdbc(path) {}

CDbOdbcText::~CDbOdbcText() = default;

bool CDbOdbcText::OpenFile(const std::string& path, unsigned modeFlags) {
  if (path.empty()) return false;
  auto file = std::make_unique<NewFileBeside>();
  try {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)) return false;
    if (!(modeFlags & kModeCreate)) {
      // Appending: the file must exist, and the new file starts as its copy.
      const int in = exists ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC) : -1;
      if (in < 0) return false;
      file->Create(path, false);
      char buffer[65536];
      ssize_t n;
      off_t at = 0;
      bool ok = true;
      while (ok && (n = ::read(in, buffer, sizeof buffer)) > 0) {
        ok = ::pwrite(file->Descriptor(), buffer, static_cast<size_t>(n), at) == n;
        at += n;
      }
      ::close(in);
      if (!ok) return false;
    } else {
      file->Create(path, false);
    }
  } catch (const DbException&) {
    return false;
  }
  if (m_newFile) Close();
  m_newFile = std::move(file);
  SetPathParts(path);
  ClearConnectString();
  return true;
}

std::string CDbOdbcText::GetWritePath() const { return m_newFile ? m_newFile->WritePath() : GetPath(); }

void CDbOdbcText::Close() {
  if (m_newFile) {
    std::unique_ptr<NewFileBeside> file = std::move(m_newFile);
    file->Publish(true);
  }
  CDbOdbc::Close();
}

}  // namespace qel
