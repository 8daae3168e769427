// Row builders of the lists that show the open project: testees, testee
// codes, models, the tasks of an experiment model, the parts and stored
// assessments of one model task, stored assessments (responses), stored
// scores, users, and the change histories of a testee and of a score set.
// Each reads the project cache (or the model, or the user array) once and
// gives the columns and the rows with their keys, icons and texts; a list
// window only shows them. A null source gives no rows and result 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "admin/UserRecord.h"
#include "ui/ListRows.h"

namespace qel {

class CExpModel;
class CExpModelTask;
class CProjectData;
class IProjectHistory;
struct CTesteeFilter;

// ---- testees: key the testee name; history mode changes the icon of unchanged testees.
const std::vector<CListColumn>& TesteeListColumns();
CListRows BuildTesteeRows(const CProjectData* project, const CTesteeFilter* filter, bool historyMode);
// The kept versions of the testee's rows (every testee's for an empty
// identifier) in an audited project, with the history icons.
CListRows BuildTesteeHistoryRows(IProjectHistory* history, const std::string& testee);

// ---- testee codes: key the code.
const std::vector<CListColumn>& TesteeCodeListColumns();
CListRows BuildTesteeCodeRows(const CProjectData* project);

// ---- models: key the model name.
const std::vector<CListColumn>& ModelListColumns();
CListRows BuildModelRows(const CProjectData* project);

// ---- the tasks of an experiment model: key the short code; one row per
// task slot that holds a task.
const std::vector<CListColumn>& TaskListColumns();
CListRows BuildTaskRows(const CExpModel* model);

// ---- the parts of one model task: one row per part (at most 16), key
// "%u" of the task's count of stored assessments of the part; completed[p]
// receives the assessment numbers stored for part p + 1, in the order the
// project gives them. No rows without a task or with an empty testee, model
// or task text.
const std::vector<CListColumn>& AssessmentListColumns();
CListRows BuildAssessmentRows(const CProjectData* project, const std::string& testee, const std::string& model,
                              const CExpModelTask* task, std::vector<std::vector<uint32_t>>* completed);

// ---- stored assessments (responses) and stored scores, filtered by testee,
// model and task (an empty text matches every one): key "%u" of the
// assessment number; the testee, model and task columns show the row's own
// texts. savedDates receives each score row's saving date.
const std::vector<CListColumn>& ResponseListColumns();
CListRows BuildResponseRows(const CProjectData* project, const std::string& testee, const std::string& model,
                            const std::string& task);
// The kept versions of the response rows in an audited project.
CListRows BuildResponseHistoryRows(IProjectHistory* history, const std::string& testee, const std::string& model,
                                   const std::string& task);
const std::vector<CListColumn>& ScoreListColumns();
CListRows BuildScoreRows(const CProjectData* project, const std::string& testee, const std::string& model,
                         const std::string& task, bool historyMode, std::vector<QelDateTime>* savedDates);
// The kept versions of the score rows in an audited project (history icons).
CListRows BuildScoreHistoryRows(IProjectHistory* history, const std::string& testee, const std::string& model,
                                const std::string& task, std::vector<QelDateTime>* savedDates);

// ---- users of a CFR project or of the workstation: key the user Id.
const std::vector<CListColumn>& UserListColumns();
CListRows BuildUserRows(const std::vector<CUserRecord>* users);

// ---- change histories. The project gives n versions, the present one
// first; row i compares version i (new) with version i + 1 (old), so n
// versions give n - 1 rows numbered n - 1 down to 1, and the list accounts
// for n rows. Every key is the testee name.
const std::vector<CListColumn>& TesteeUpdateListColumns();
CListRows BuildTesteeUpdateRows(const CProjectData* project, const std::string& testee);

// The saving date and user of every version of a score set, present first.
struct CScoreVersions {
  std::vector<QelDateTime> savedDates;
  std::vector<std::string> users;

  // Of version i and of the version before it (i + 1); null / "" past the end.
  QelDateTime GetNewDate(int i) const;
  QelDateTime GetOldDate(int i) const { return GetNewDate(i + 1); }
  std::string GetNewUser(int i) const;
  std::string GetOldUser(int i) const { return GetNewUser(i + 1); }
};
const std::vector<CListColumn>& ScoreUpdateListColumns();
CListRows BuildScoreUpdateRows(const CProjectData* project, const std::string& testee, const std::string& model,
                               const std::string& task, uint32_t assessment, CScoreVersions* versions);

}  // namespace qel
