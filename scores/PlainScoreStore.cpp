#include "scores/PlainScoreStore.h"

#include "project/ProjectData.h"
#include "project/ProjectDbPlain.h"
#include "project/TesteeData.h"
#include "project/TesteeInfo.h"
#include "scores/ValueFormat.h"

namespace qel {

std::string CPlainScoreStore::GetPath() const { return m_db.GetPath(); }
std::string CPlainScoreStore::GetName() const { return m_db.GetName(); }

bool CPlainScoreStore::ReadTestee(const std::string& testee, CTesteeInfo* out) { return m_db.ReadTestee(testee, out); }

bool CPlainScoreStore::ReadTask(const std::string& model, const std::string& task, CExpModelTask* out) {
  return m_db.ReadTask(out, model, task);
}

bool CPlainScoreStore::ReadScore(const ScoreKey& key, const QelDateTime* asOf, StoredScore* out) {
  if (!out) return false;
  *out = StoredScore{};
  std::vector<uint32_t> attrs;
  std::vector<std::string> names, formats, labels;
  std::vector<double> values;
  QelDateTime assessmentDate = QelDateTime::Null();
  QelDateTime savedDate = QelDateTime::Null();
  const int n = m_db.ReadVariables(key.testee, key.model, key.task, key.assessment, &attrs, &names, &formats, &labels,
                                   &values, &assessmentDate, &savedDate);
  if (n <= 0) return false;
  // The plain format keeps only the version that stands.
  if (asOf && asOf->IsValid() && !(savedDate.IsValid() && savedDate.value == asOf->value)) return false;
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
  out->user = m_cache.GetScoreUser(key.testee.c_str(), key.model.c_str(), key.task.c_str(), key.assessment);
  if (const CTesteeData* testee = m_cache.FindTestee(key.testee.c_str())) {
    for (int m = 0; m < testee->GetModelScoresCount(); ++m) {
      const CModelScores* scores = testee->GetModelScores(m);
      if (!scores || !scores->GetBoundModel() || scores->GetBoundModel()->GetName() != key.model) continue;
      if (const CScoreData* score = scores->FindScore(key.task.c_str(), key.assessment)) {
        out->birthDate = score->GetBirthDate();
      }
    }
  }
  return true;
}

std::vector<ScoreVersion> CPlainScoreStore::GetVersions(const ScoreKey& key) {
  std::vector<QelDateTime> birthDates, assessmentDates, savedDates;
  std::vector<std::string> users;
  const int n = m_cache.GetScoreChanges(key.testee.c_str(), key.model.c_str(), key.task.c_str(), key.assessment,
                                        &birthDates, &assessmentDates, &users, &savedDates);
  std::vector<ScoreVersion> versions;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<size_t>(i);
    versions.push_back({savedDates[k], assessmentDates[k], birthDates[k], users[k]});
  }
  return versions;
}

bool CPlainScoreStore::ReadVersion(const ScoreKey& key, const ScoreVersion& version, StoredScore* out) {
  // The one version there is: the score as it stands.
  return ReadScore(key, version.savedDate.IsValid() ? &version.savedDate : nullptr, out);
}

std::vector<uint32_t> CPlainScoreStore::GetAssessments(const std::string& testee, const std::string& model,
                                                       const std::string& task) {
  std::vector<uint32_t> numbers;
  m_cache.GetScoreRows(testee.c_str(), model.c_str(), task.c_str(), &numbers, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr);
  return numbers;
}

QelDateTime CPlainScoreStore::GetDuration(const ScoreKey& key) {
  const CTesteeData* testee = m_cache.FindTestee(key.testee.c_str());
  if (!testee) return QelDateTime::Null();
  const CTimeSpan span = testee->GetAssessmentDuration(key.model.c_str(), key.task.c_str(), key.assessment);
  QelDateTime d;
  d.value = span.m_days;
  d.status = span.m_status;
  return d;
}

std::string CPlainScoreStore::GetUserFirstName(const std::string& user) {
  return m_cache.GetUserFirstName(user.c_str());
}
std::string CPlainScoreStore::GetUserSurname(const std::string& user) { return m_cache.GetUserSurname(user.c_str()); }

}  // namespace qel
