#include "scores/ScoreExport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <exception>

#include "app/rundata/TaskRunData.h"
#include "common/Prompt.h"
#include "db/DbDriver.h"
#include "db/DbException.h"
#include "db/export/DbaseDriver.h"
#include "db/export/ExportConnections.h"
#include "db/export/RsOdbcExport.h"
#include "project/TesteeInfo.h"
#include "project/TesteeTexts.h"
#include "scores/ScoreDocument.h"
#include "scores/ScoreStore.h"
#include "scores/ValueFormat.h"

namespace qel {

namespace {

constexpr int kTableViewTitle = 256;
constexpr int kTableTitle = 31;
constexpr int kDbaseTitle = 8;
constexpr int kFixedScoreColumns = 13;  // TesteeId .. AssNo
constexpr int kTesterColumns = 3;
constexpr int kTextSqlType = kSqlDouble;  // every variable column is a number
constexpr int kTemplateNumberSize = 15;
constexpr int kTemplateTextSize = 240;

std::string FileTitle(const std::string& path) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

void Stop(const std::string& text) { ShowPrompt(text, "Qel", kPromptOk | kPromptIconStop); }

// Sets the testee, assessment and identification columns of one row.
void SetScoreIdentity(CRsOdbcExport& rs, const CTesteeInfo& testee, bool noName, const std::string& sex,
                      const std::string& pref, const QelDateTime& birth, const QelDateTime& tested,
                      const std::string& age, const std::string& model, const std::string& task, uint32_t assessment) {
  rs.SetTextValue("TesteeId", testee.m_testee);
  rs.SetTextValue("Code", testee.m_code);
  rs.SetTextValue("Fname", noName ? std::string() : testee.m_firstName);
  rs.SetTextValue("Sname", noName ? std::string() : testee.m_surname);
  rs.SetTextValue("Sex", sex);
  rs.SetTextValue("Pref", pref);
  rs.SetDateValue("Bdate", birth);
  // The assessment's day (its time goes to "Ttime").
  rs.SetDateValue("Tdate", tested.IsValid() ? QelDateTime::FromValue(std::floor(tested.value)) : tested);
  rs.SetTtimeValue(tested);
  if (!age.empty()) rs.SetValue("Age", age);
  rs.SetTextValue("ModelId", model);
  rs.SetTextValue("TaskId", task);
  rs.SetAssNoValue(assessment);
}

}  // namespace

int MaxExportTitleLength(ScoreExportType type, bool graph) {
  if (graph) return type == ScoreExportType::kTableBitmap ? kTableViewTitle : 0;
  switch (type) {
    case ScoreExportType::kTableBitmap:
    case ScoreExportType::kTableText:
      return kTableViewTitle;
    case ScoreExportType::kText:
    case ScoreExportType::kExcel:
      return kTableTitle;
    case ScoreExportType::kDbase:
      return kDbaseTitle;
  }
  return 0;
}

std::string ExportExtension(ScoreExportType type, bool graph) {
  if (graph) return type == ScoreExportType::kTableBitmap ? ".bmp" : "";
  switch (type) {
    case ScoreExportType::kTableBitmap:
      return ".bmp";
    case ScoreExportType::kTableText:
    case ScoreExportType::kText:
      return ".txt";
    case ScoreExportType::kExcel:
      return ".xlsx";
    case ScoreExportType::kDbase:
      return ".dbf";
  }
  return "";
}

std::string ExportDefaultName(ScoreExportType type, bool graph, bool normCurve, bool seriesView, int testees,
                              const std::string& task) {
  if (testees > 1) return "T_" + task;
  if (graph) return (normCurve ? "Line_" : "Z_") + task;
  if (type == ScoreExportType::kText || type == ScoreExportType::kExcel || type == ScoreExportType::kDbase) {
    return "S_" + task;
  }
  return "Table_" + task + (seriesView ? "_series" : "");
}

std::string CheckExportTitle(const std::string& path, ScoreExportType type, bool graph) {
  if (path.empty()) return std::string();
  const int max = MaxExportTitleLength(type, graph);
  if (static_cast<int>(FileTitle(path).size()) <= max) return std::string();
  return "Too long file name! MaxLen=" + std::to_string(max) + " chars!";
}

bool WriteScoreTable(CRsOdbcExport& rs, const CScoreDocument& score, const ScoreExportOptions& options,
                     bool defineColumns, const std::string& table) {
  const CScoreSheet& sheet = score.Sheet();
  const std::vector<std::string>& names = sheet.ListedNames();
  const std::vector<std::string>& values = sheet.ListedValues();
  const bool tester = options.testerColumns && !score.m_testerId.empty();
  if (defineColumns) {
    rs.ClearColumns();
    if (!rs.DefineScoreColumns(names, kTextSqlType, tester, false)) return false;
  }
  if (!rs.CreateTable(options.dataOnly, options.append, table)) return false;
  rs.ClearValues();
  if (tester) {
    rs.SetTextValue("TesterId", score.m_testerId);
    rs.SetTextValue("TFname", score.m_testerFirstName);
    rs.SetTextValue("TSname", score.m_testerSurname);
  }
  CTesteeInfo testee;
  testee.m_testee = score.m_testee;
  testee.m_code = score.m_testeeCode;
  testee.m_firstName = score.m_firstName;
  testee.m_surname = score.m_surname;
  SetScoreIdentity(rs, testee, options.noTesteeName, score.m_sexText, score.m_handednessText, score.m_birthDate,
                   score.m_testDate, score.m_ageText, score.m_model, score.m_taskId, score.m_assessment);
  for (size_t i = 0; i < names.size() && i < values.size(); ++i) {
    if (!values[i].empty()) rs.SetValue(names[i], values[i]);  // no value: the column stays unset
  }
  return rs.InsertRow(table);
}

bool WriteNormRow(CRsOdbcExport& rs, const CScoreDocument& score, const std::string& table) {
  const CScoreSheet& sheet = score.Sheet();
  rs.ClearValues();
  rs.SetTextValue("TesteeId", "norm");
  int pairs = 0;
  for (size_t i = 0; i < sheet.NormNames().size() && i < sheet.NormTexts().size(); ++i) {
    if (sheet.NormNames()[i].empty() || sheet.NormTexts()[i].empty()) continue;
    rs.SetValue(sheet.NormNames()[i], sheet.NormTexts()[i]);
    ++pairs;
  }
  rs.InsertRow(table);
  return pairs > 0;
}

bool WriteScoreList(CRsOdbcExport& rs, IScoreStore& store, const std::vector<std::string>& testees,
                    const std::string& model, const std::string& task, const ScoreExportOptions& options) {
  CExpModelTask modelTask;
  if (!store.ReadTask(model, task, &modelTask)) return false;
  const bool tester = options.testerColumns;
  // Every stored score is read once, in list order.
  struct Row {
    CTesteeInfo testee;
    uint32_t number = 0;
    StoredScore score;
  };
  std::vector<Row> rows;
  size_t columns = 0;
  for (const std::string& id : testees) {
    CTesteeInfo testee;
    if (!store.ReadTestee(id, &testee)) continue;
    for (uint32_t number : store.GetAssessments(id, model, task)) {
      Row row;
      if (!store.ReadScore({id, model, task, number}, nullptr, &row.score) || row.score.values.empty()) continue;
      row.testee = testee;
      row.number = number;
      columns = std::max(columns, row.score.values.size());
      rows.push_back(std::move(row));
    }
  }
  // As many variable columns as the largest score has, at most the task's; named by the
  // task, or by the names stored with a score when the plug-in is missing.
  const int taskCount = modelTask.GetScoreVariableCount();
  if (taskCount > 0) columns = std::min(columns, static_cast<size_t>(taskCount));
  std::vector<std::string> names;
  std::vector<std::string> formats;
  if (taskCount > 0) {
    for (size_t i = 0; i < columns; ++i) {
      names.push_back(modelTask.GetScoreVariableName(static_cast<int>(i)));
      formats.push_back(modelTask.GetScoreVariableFormat(static_cast<int>(i), false));
    }
  } else {
    for (const Row& row : rows) {
      if (row.score.variables.size() < columns) continue;
      for (size_t i = 0; i < columns; ++i) {
        names.push_back(row.score.variables[i].name);
        formats.push_back(row.score.variables[i].format);
      }
      break;
    }
  }
  rs.ClearColumns();
  if (!rs.DefineScoreColumns(names, kTextSqlType, tester, false)) return false;
  if (!rs.CreateTable(options.dataOnly, options.append)) return false;
  for (const Row& row : rows) {
    const CTesteeInfo& testee = row.testee;
    const StoredScore& s = row.score;
    QelDateTime birth = testee.m_dateBirth.IsValid() ? testee.m_dateBirth : QelDateTime::Null();
    const std::string sex = birth.IsValid() ? GetSexName(testee.m_sex) : std::string();
    const std::string pref = birth.IsValid() ? GetHandednessCode(testee.m_preference) : std::string();
    if (s.birthDate.IsValid()) birth = s.birthDate;
    double age = 0.0;
    const std::string ageText =
        AgeInYears(birth, s.assessmentDate, &age) ? FormatValue(age, kDefaultValueFormat) : std::string("NULL");
    rs.ClearValues();
    if (tester) {
      rs.SetTextValue("TesterId", s.user);
      rs.SetTextValue("TFname", store.GetUserFirstName(s.user));
      rs.SetTextValue("TSname", store.GetUserSurname(s.user));
    }
    SetScoreIdentity(rs, testee, options.noTesteeName, sex, pref, birth, s.assessmentDate, ageText, model, task,
                     row.number);
    for (size_t i = 0; i < names.size() && i < s.values.size(); ++i) {
      if (HasValue(s.values[i])) rs.SetValue(names[i], FormatValue(s.values[i], formats[i]));
    }
    rs.InsertRow();
  }
  return true;
}

int ScoreExportSource::VariableCount() const {
  if (score) return static_cast<int>(score->Sheet().ListedNames().size());
  if (!store) return 0;
  CExpModelTask t;
  return store->ReadTask(model, task, &t) ? t.GetScoreVariableCount() : 0;
}

int ScoreExportSource::ColumnCount(const ScoreExportOptions& options) const {
  return kFixedScoreColumns + (options.testerColumns ? kTesterColumns : 0) + VariableCount();
}

namespace {

template <class Db, class Rs>
bool WriteTable(Db& db, const std::string& path, unsigned openOptions, const ScoreExportSource& source,
                const ScoreExportOptions& options) {
  if (!db.Open(path, openOptions)) return false;
  bool written = false;
  {
    Rs rs(&db);
    written = source.score ? WriteScoreTable(rs, *source.score, options, true)
                           : WriteScoreList(rs, *source.store, source.testees, source.model, source.task, options);
    rs.Close();
  }
  db.Close();
  return written;
}

}  // namespace

bool ExportScoreTable(ScoreExportType type, const std::string& path, const ScoreExportSource& source,
                      const ScoreExportOptions& options) {
  if (path.empty() || (!source.score && !source.store)) return false;
  if (type == ScoreExportType::kDbase && source.ColumnCount(options) > static_cast<int>(kDbaseMaxFields)) {
    Stop("A dBase table holds at most " + std::to_string(kDbaseMaxFields) + " fields; this score table would have " +
         std::to_string(source.ColumnCount(options)) + ".\nExport it as text or Excel.");
    return false;
  }
  try {
    switch (type) {
      case ScoreExportType::kText: {
        CDbOdbcText db;
        if (!db.OpenFile(path, options.append ? 0u : CDbOdbcText::kModeCreate)) {
          Stop((options.append ? "Cannot append to the file (it must exist):\n" : "Cannot write the file:\n") + path);
          return false;
        }
        bool written = false;
        {
          CRsOdbcExportText rs(&db);
          written = source.score ? WriteScoreTable(rs, *source.score, options, true)
                                 : WriteScoreList(rs, *source.store, source.testees, source.model, source.task,
                                                  options);
          rs.Close();
        }
        db.Close();
        return written;
      }
      case ScoreExportType::kExcel: {
        CDbOdbcExcel db;
        return WriteTable<CDbOdbcExcel, CRsOdbcExportExcel>(db, path, kDbOpenNone, source, options);
      }
      case ScoreExportType::kDbase: {
        CDbOdbcDbase db;
        return WriteTable<CDbOdbcDbase, CRsOdbcExportDbase>(db, path, kDbOpenNone, source, options);
      }
      default:
        return false;
    }
  } catch (const DbException& e) {
    Stop(std::string(e.what()) + "\n" + path);
  } catch (const std::exception& e) {
    Stop(std::string(e.what()) + "\n" + path);
  }
  return false;
}

bool ExportScoreTemplate(const std::string& path, const CScoreDocument& score, const ScoreExportOptions& options,
                         IScoreTemplates* templates, const std::string& language) {
  const std::string& task = score.m_taskId;
  const bool exists = FileExists(path);
  if (templates) {
    std::string bytes;
    switch (templates->ReadTemplate(task, language, &bytes)) {
      case IScoreTemplates::Result::kError:
        Stop("Error while reading templates!");
        return false;
      case IScoreTemplates::Result::kMissing:
        if (!exists) {
          Stop("Missing template:\r\nlanguage \"" + language + "\"\r\ntask \"" + task + "\"!");
          return false;
        }
        break;
      case IScoreTemplates::Result::kFound:
        if (!exists) {
          // Written beside the target and renamed into place.
          const std::string temp = path + ".new";
          const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
          bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
          if (fd >= 0) ok = (::close(fd) == 0) && ok;
          if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
            const std::string why = std::strerror(errno);
            ::unlink(temp.c_str());
            Stop(why + "\r\nError while writing template!");
            return false;
          }
        }
        break;
    }
  } else if (!exists) {
    Stop("Missing template:\r\nlanguage \"" + language + "\"\r\ntask \"" + task + "\"!");
    return false;
  }
  try {
    CDbOdbcExcel db;
    if (!db.Open(path, kDbOpenNone)) return false;
    bool written = false;
    {
      CRsOdbcExportExcel layout(&db);
      // An existing file is used only when it is a workbook with the task's sheet.
      if (!db.TableExists(task) || !layout.Open(DbRecordset::kForwardOnly, "SELECT * FROM [" + task + "$];")) {
        Stop("The file holds no sheet \"" + task + "\" of a score template; it is left as it was:\n" + path);
        return false;
      }
      layout.Close();
      // The template's columns in its order, typed as the score table types them.
      std::vector<std::string> templateColumns;
      for (const auto& column : layout.GetColumns()) templateColumns.push_back(column.name);
      CRsOdbcExportExcel rs(&db, task);
      const std::vector<std::string>& variables = score.Sheet().ListedNames();
      for (const std::string& name : templateColumns) {
        const bool variable = std::find(variables.begin(), variables.end(), name) != variables.end();
        if (name == "Bdate" || name == "Tdate") {
          rs.AddDateColumn(name);
        } else if (variable || name == "Age" || name == "AssNo") {
          rs.AddDoubleColumn(name, kTemplateNumberSize);
        } else {
          rs.AddTextColumn(name, kTemplateTextSize);
        }
      }
      written = WriteScoreTable(rs, score, options, false, task);
      if (written) WriteNormRow(rs, score, task);
      rs.Close();
    }
    db.Close();
    return written;
  } catch (const std::exception& e) {
    Stop(std::string(e.what()) + "\n" + path);
  }
  return false;
}

}  // namespace qel
