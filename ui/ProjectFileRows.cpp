#include "ui/ProjectFileRows.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/text/ImageIndex.h"
#include "app/text/NumberText.h"
#include "engine/library/TaskLibrary.h"
#include "include/qel/ModelTask.h"
#include "ui/IconIndex.h"
#include "ui/ItemKeyList.h"

namespace qel {

namespace {

constexpr const char* kPasswordMark = "<PWD>";
constexpr const char* kPasswordComment = "<Password protected>";
constexpr const char* kCfrVersion = "CFR Compliant";
constexpr const char* kProjectPattern = "*.qep";

// The file name without folder and extension.
std::string FileTitle(const std::string& path) {
  const size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

}  // namespace

std::string FileDateText(int64_t time) {
  const time_t seconds = static_cast<time_t>(time);
  struct tm local {};
  if (!localtime_r(&seconds, &local)) return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%04u.%02u.%02u", static_cast<unsigned>(local.tm_year + 1900),
                static_cast<unsigned>(local.tm_mon + 1), static_cast<unsigned>(local.tm_mday));
  return text;
}

const std::vector<CListColumn>& ProjectListColumns(bool projectColumns) {
  static const std::vector<CListColumn> kProjectColumns = {
      {"No.", -40},    {"File", 100},  {"Date", 60},   {"Version", -40}, {"Testees", -60}, {"Models", -60},
      {"Tasks", -60},  {"Scores", -60}, {"User", 60},  {"Date", 60},     {"Comment", 100}};
  static const std::vector<CListColumn> kFileColumns = {
      {"No.", -40}, {"File", 100}, {"Size", -60}, {"Date", -60}, {"Version", 100}};
  return projectColumns ? kProjectColumns : kFileColumns;
}

CListRows BuildProjectRows(const std::string& folder, bool projectColumns, IProjectFileProbe& probe,
                           std::vector<std::string>* paths) {
  CListRows out;
  out.columns = ProjectListColumns(projectColumns);
  if (paths) paths->clear();
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '/') pattern += '/';
  pattern += kProjectPattern;
  CStringArrayEx files;
  std::vector<int64_t> times;
  std::vector<uint64_t> sizes;
  files.FindFiles(pattern.c_str(), kMostProjectFiles, &times, &sizes);
  files.SortFiles(&times, &sizes, true, false);
  for (size_t k = 0; k < files.size(); ++k) {
    const std::string& path = files[k];
    CProjectFileFacts facts;
    if (!probe.Check(path, &facts) && !facts.passwordRequired) continue;
    std::string version = facts.passwordRequired ? kPasswordMark : facts.cfr ? kCfrVersion : "";
    if (projectColumns) {
      const bool cfr = facts.cfr;
      facts = CProjectFileFacts();
      facts.cfr = cfr;
      if (!probe.Open(path, &facts) && !facts.passwordRequired) continue;
      version = facts.passwordRequired ? kPasswordMark : facts.versionText;
    }
    const int i = static_cast<int>(out.rows.size());
    CListRow row;
    row.key = FileTitle(path);
    row.image = kIconProject;
    const std::string date = FileDateText(k < times.size() ? times[k] : 0);
    const std::string size = FormatThousands(k < sizes.size() ? sizes[k] : 0);
    if (projectColumns) {
      const bool locked = facts.passwordRequired;
      auto shown = [locked](const std::string& text) { return locked ? std::string(kPasswordMark) : text; };
      row.cells = {RowNumberText(i),           row.key,
                   date,                       version,
                   shown(NumberText(facts.testees)), shown(NumberText(facts.models)),
                   shown(NumberText(facts.tasks)),   shown(NumberText(facts.scores)),
                   shown(facts.user),          shown(facts.date),
                   locked ? kPasswordComment : facts.comment};
    } else {
      row.cells = {RowNumberText(i), row.key, size, date, version};
    }
    out.rows.push_back(std::move(row));
    if (paths) paths->push_back(path);
  }
  out.result = static_cast<int>(out.rows.size());
  return out;
}

const std::vector<CListColumn>& PlugInListColumns() {
  static const std::vector<CListColumn> kColumns = {{"No.", -40},  {"Id", 60},    {"Ver", -60},
                                                    {"Date", -60}, {"Name", 100}, {"File", 100}};
  return kColumns;
}

CListRows BuildPlugInRows(const std::vector<const CTaskLibrary*>& libraries) {
  CListRows out;
  out.columns = PlugInListColumns();
  for (const CTaskLibrary* library : libraries) {
    if (!library) continue;
    const QelModelTask* task = library->modelDefault;
    const int i = static_cast<int>(out.rows.size());
    CListRow row;
    row.key = library->GetShortCode();
    row.image = GetImageIndex(task ? static_cast<int>(task->TaskId) : 0);
    row.cells = {RowNumberText(i),
                 row.key,
                 NumberText(static_cast<uint32_t>(library->version)),
                 FileDateText(library->GetFileTime()),
                 task ? std::string(task->TaskName, strnlen(task->TaskName, sizeof task->TaskName)) : std::string(),
                 library->GetPath()};
    out.rows.push_back(std::move(row));
  }
  out.result = static_cast<int>(out.rows.size());
  return out;
}

}  // namespace qel
