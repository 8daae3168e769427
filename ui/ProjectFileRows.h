// Row builders of the two lists that show files rather than project
// contents: the project files (*.qep) of a working folder with what each
// project holds, and the task plug-ins loaded at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/ListRows.h"

namespace qel {

class CTaskLibrary;

// What the project list learns of one project file.
struct CProjectFileFacts {
  bool passwordRequired = false;
  bool cfr = false;
  std::string versionText;  // the project's format version text (after Open)
  uint32_t testees = 0;
  uint32_t models = 0;
  uint32_t tasks = 0;
  uint32_t scores = 0;
  std::string user;     // who created the project
  std::string date;     // its creation date text
  std::string comment;  // the project's comment
};

// How the project list looks into a project file; the project object
// answers (one object serves every file of a fill).
class IProjectFileProbe {
 public:
  virtual ~IProjectFileProbe() = default;
  // Checks the file without a password; true for a project. Sets
  // passwordRequired (also when false is returned) and cfr.
  virtual bool Check(const std::string& path, CProjectFileFacts* facts) = 0;
  // Opens and loads the file without a password; true when it loaded.
  // Sets passwordRequired, the counts, texts and version text.
  virtual bool Open(const std::string& path, CProjectFileFacts* facts) = 0;
};

// The projects of a folder (at most 1000 files, in path order ignoring
// case): the file columns (No., File, Size, Date, Version) or, with project
// columns, the eleven columns of what each project holds. Key the file
// title; paths receives each row's full path. A file that is not a project
// and asks for no password is left out.
const std::vector<CListColumn>& ProjectListColumns(bool projectColumns);
CListRows BuildProjectRows(const std::string& folder, bool projectColumns, IProjectFileProbe& probe,
                           std::vector<std::string>* paths);
// The most project files a fill looks at.
constexpr int kMostProjectFiles = 1000;

// A file time (seconds since 1970) as "%04u.%02u.%02u" in local time.
std::string FileDateText(int64_t time);

// The loaded plug-ins: key the short code of the plug-in's default task.
const std::vector<CListColumn>& PlugInListColumns();
CListRows BuildPlugInRows(const std::vector<const CTaskLibrary*>& libraries);

}  // namespace qel
