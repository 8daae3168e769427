#include "app/services/ProjectScoreStore.h"

#include "project/QelProject.h"
#include "project/TesteeData.h"
#include "project/TesteeInfo.h"
#include "scores/ValueFormat.h"

namespace qel {

QelDateTime CProjectScoreStore::CachedBirthDate(const ScoreKey& key) const {
  // A plain file keeps no birth date with a score: the cache gives the one it was computed with.
  const CTesteeData* testee = m_project.FindTestee(key.testee.c_str());
  if (!testee) return QelDateTime::Null();
  for (int m = 0; m < testee->GetModelScoresCount(); ++m) {
    const CModelScores* scores = testee->GetModelScores(m);
    if (!scores || !scores->GetBoundModel() || scores->GetBoundModel()->GetName() != key.model) continue;
    if (const CScoreData* score = scores->FindScore(key.task.c_str(), key.assessment)) return score->GetBirthDate();
  }
  return QelDateTime::Null();
}

std::string CProjectScoreStore::GetPath() const { return m_project.GetPath(); }
std::string CProjectScoreStore::GetName() const { return m_project.GetName(); }
bool CProjectScoreStore::IsCfr() const { return m_project.IsOpenCfr(); }

bool CProjectScoreStore::ReadTestee(const std::string& testee, CTesteeInfo* out) {
  return m_project.ReadTestee(testee, out);
}

bool CProjectScoreStore::ReadTask(const std::string& model, const std::string& task, CExpModelTask* out) {
  return m_project.ReadTask(out, model, task);
}

bool CProjectScoreStore::ReadScore(const ScoreKey& key, const QelDateTime* asOf, StoredScore* out) {
  if (!out) return false;
  *out = StoredScore{};
  std::vector<uint32_t> attrs;
  std::vector<std::string> names, formats, labels;
  std::vector<double> values;
  QelDateTime assessmentDate = QelDateTime::Null();
  QelDateTime birthDate = QelDateTime::Null();
  QelDateTime savedDate = QelDateTime::Null();
  std::string user;
  int32_t preference = 0;
  int32_t sex = 0;
  // A plain project keeps only the version that stands: it is read as it
  // stands and must carry the date asked for.
  const bool kept = asOf && asOf->IsValid() && m_project.IsOpenCfr();
  const int n = m_project.ReadVariables(key.testee, key.model, key.task, key.assessment, kept ? asOf : nullptr, &attrs,
                                        &names, &formats, &labels, &values, &assessmentDate, &birthDate, &user,
                                        &savedDate, &preference, &sex);
  if (n <= 0) return false;
  if (asOf && asOf->IsValid() && !kept && !(savedDate.IsValid() && savedDate.value == asOf->value)) return false;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<size_t>(i);
    ScoreVariable v;
    v.name = k < names.size() && !names[k].empty() ? names[k] : "-";
    v.format = k < formats.size() && !formats[k].empty() ? formats[k] : kDefaultValueFormat;
    v.label = k < labels.size() ? labels[k] : std::string();
    v.attr = k < attrs.size() ? attrs[k] : 0;
    out->variables.push_back(v);
    out->values.push_back(k < values.size() ? values[k] : kNoValue);
  }
  out->assessmentDate = assessmentDate;
  out->savedDate = savedDate;
  out->birthDate = birthDate;
  out->user = user.empty() ? m_project.GetScoreUser(key.testee.c_str(), key.model.c_str(), key.task.c_str(),
                                                    key.assessment)
                           : user;
  if (!birthDate.IsValid()) out->birthDate = CachedBirthDate(key);
  return true;
}

std::vector<ScoreVersion> CProjectScoreStore::GetVersions(const ScoreKey& key) {
  std::vector<QelDateTime> birthDates, assessmentDates, savedDates;
  std::vector<std::string> users;
  const int n = m_project.GetScoreChanges(key.testee.c_str(), key.model.c_str(), key.task.c_str(), key.assessment,
                                          &birthDates, &assessmentDates, &users, &savedDates);
  std::vector<ScoreVersion> versions;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<size_t>(i);
    versions.push_back({savedDates[k], assessmentDates[k], birthDates[k], users[k]});
  }
  return versions;
}

std::vector<uint32_t> CProjectScoreStore::GetAssessments(const std::string& testee, const std::string& model,
                                                         const std::string& task) {
  std::vector<uint32_t> numbers;
  m_project.GetScoreRows(testee.c_str(), model.c_str(), task.c_str(), &numbers, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr);
  return numbers;
}

QelDateTime CProjectScoreStore::GetDuration(const ScoreKey& key) {
  const CTesteeData* testee = m_project.FindTestee(key.testee.c_str());
  if (!testee) return QelDateTime::Null();
  const CTimeSpan span = testee->GetAssessmentDuration(key.model.c_str(), key.task.c_str(), key.assessment);
  QelDateTime d;
  d.value = span.m_days;
  d.status = span.m_status;
  return d;
}

std::string CProjectScoreStore::GetUserFirstName(const std::string& user) {
  return m_project.GetUserFirstName(user.c_str());
}

std::string CProjectScoreStore::GetUserSurname(const std::string& user) {
  return m_project.GetUserSurname(user.c_str());
}

}  // namespace qel
