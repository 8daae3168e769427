#include "ui/RawResponseExport.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "app/model/ResponseCodeName.h"
#include "app/rundata/TaskRunData.h"
#include "common/Prompt.h"
#include "db/DbException.h"
#include "db/export/ExportConnections.h"
#include "db/export/RsOdbcExport.h"
#include "editors/TaskTextHelpers.h"
#include "project/QelProject.h"
#include "project/TesteeInfo.h"
#include "project/TesteeTexts.h"

namespace qel {

namespace {

constexpr int kRespColumnSize = 10;
constexpr int kScoreColumnsKind = 4;  // no variable columns are asked for

void Stop(const std::string& text) { ShowPrompt(text, "Qel", kPromptOk | kPromptIconStop); }

std::string AgeText(const QelDateTime& birth, const QelDateTime& tested) {
  double age = 0.0;
  if (!AgeInYears(birth, tested, &age)) return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", age);
  return text;
}

}  // namespace

RawTrialTexts MakeRawTrialTexts(int32_t type, int32_t code, int32_t proc, int preference, const CExpModelTask& task) {
  RawTrialTexts texts;
  bool named = false;
  texts.type = GetResponseCodeName(static_cast<uint32_t>(type), &named);
  texts.code = ResponseCodeToText(static_cast<uint32_t>(code), preference, named);
  texts.proc = task.GetResponseCodeText(static_cast<uint32_t>(proc), named);
  return texts;
}

int WriteRawResponses(CRsOdbcExport& rs, CQelProject& project, const DataPageScore& score, bool testerColumns) {
  rs.ClearColumns();
  rs.DefineScoreColumns({}, kScoreColumnsKind, testerColumns, true);
  rs.AddTextColumn("RespType", kRespColumnSize);
  rs.AddIntColumn("RespTime", kRespColumnSize);
  rs.AddTextColumn("RespCode", kRespColumnSize);
  rs.AddTextColumn("ProcType", kRespColumnSize);
  if (!rs.CreateTable(false, false)) return -1;

  CTesteeInfo testee;
  if (!project.ReadTestee(score.testee, &testee)) return 0;
  const QelDateTime birth = testee.m_dateBirth.IsValid() ? testee.m_dateBirth : QelDateTime::Null();
  CExpModelTask task;
  if (!project.ReadTask(&task, score.model, score.task)) return 0;
  const int parts = std::clamp(task.GetPartCount(), 0, kMaxParts);
  if (parts == 0) return 0;
  std::vector<std::string> testers;
  // Parts without stored rows simply have no trials.
  project.ReadResponses(score.testee, score.model, &task, score.assessment, 1, parts, &testers, true);

  int32_t* const* types = project.GetRespTypeParts();
  int32_t* const* times = project.GetRespTimeParts();
  int32_t* const* codes = project.GetRespCodeParts();
  int32_t* const* procs = project.GetProcTypeParts();
  int rows = 0;
  size_t written = 0;  // parts written: the k-th one was stored by the k-th tester
  for (int p = 0; p < parts; ++p) {
    const int n = std::min<int>(static_cast<int>(task.trialCounts[p]), kMaxResponses);
    if (n <= 0) continue;
    if (!types[p] || !times[p] || !codes[p] || !procs[p]) break;  // no arrays bound to read into
    rs.ClearValues();
    if (testerColumns) {
      const std::string tester = written < testers.size() ? testers[written] : std::string();
      rs.SetTextValue("TesterId", tester);
      rs.SetTextValue("TFname", project.GetUserFirstName(tester.c_str()));
      rs.SetTextValue("TSname", project.GetUserSurname(tester.c_str()));
    }
    ++written;
    const QelDateTime& tested = task.partDates[p];
    rs.SetTextValue("TesteeId", score.testee);
    rs.SetTextValue("Code", testee.m_code);
    rs.SetTextValue("Fname", testee.m_firstName);
    rs.SetTextValue("Sname", testee.m_surname);
    rs.SetTextValue("Sex", GetSexName(testee.m_sex));
    rs.SetTextValue("Pref", GetHandednessCode(testee.m_preference));
    rs.SetDateValue("Bdate", birth);
    rs.SetDateValue("Tdate", tested);
    rs.SetTtimeValue(tested);
    const std::string age = AgeText(birth, tested);
    if (!age.empty()) rs.SetValue("Age", age);
    rs.SetTextValue("ModelId", score.model);
    rs.SetTextValue("TaskId", score.task);
    rs.SetAssNoValue(score.assessment);
    rs.SetIntValue("PartNo", p + 1);
    for (int t = 0; t < n; ++t) {
      const RawTrialTexts texts = MakeRawTrialTexts(types[p][t], codes[p][t], procs[p][t], testee.m_preference, task);
      rs.SetTextValue("RespType", texts.type);
      rs.SetIntValue("RespTime", times[p][t]);
      rs.SetTextValue("RespCode", texts.code);
      rs.SetTextValue("ProcType", texts.proc);
      if (!rs.InsertRow()) return -1;  // the file could not be written
      ++rows;
    }
  }
  return rows;
}

bool ExportRawResponses(const std::string& path, CQelProject& project, const DataPageScore& score,
                        bool testerColumns) {
  try {
    CDbOdbcText db;
    if (!db.OpenFile(path, CDbOdbcText::kModeCreate)) {
      Stop("Cannot write the file:\n" + path);
      return false;
    }
    int rows = -1;
    {
      CRsOdbcExportText rs(&db);
      rows = WriteRawResponses(rs, project, score, testerColumns);
      rs.Close();
    }
    if (rows < 0) {
      Stop("Cannot write the file:\n" + path);
      return false;  // the new file is dropped with the connection
    }
    db.Close();
    return true;
  } catch (const DbException& e) {
    Stop(std::string(e.what()) + "\n" + path);
  } catch (const std::exception& e) {
    Stop(std::string(e.what()) + "\n" + path);
  }
  return false;
}

}  // namespace qel
