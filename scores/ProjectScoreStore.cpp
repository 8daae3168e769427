#include "scores/ProjectScoreStore.h"

#include <utility>

#include "project/QelProject.h"
#include "project/ScoreData.h"
#include "project/TesteeData.h"
#include "project/TesteeInfo.h"
#include "scores/ValueFormat.h"

namespace qel {

namespace {

// The birth date a score was computed with, as the project's cache holds it.
QelDateTime CachedBirthDate(const CProjectData& cache, const ScoreKey& key) {
  const CTesteeData* testee = cache.FindTestee(key.testee.c_str());
  if (!testee) return QelDateTime::Null();
  for (int m = 0; m < testee->GetModelScoresCount(); ++m) {
    const CModelScores* scores = testee->GetModelScores(m);
    if (!scores || !scores->GetBoundModel() || scores->GetBoundModel()->GetName() != key.model) continue;
    if (const CScoreData* score = scores->FindScore(key.task.c_str(), key.assessment)) return score->GetBirthDate();
  }
  return QelDateTime::Null();
}

}  // namespace

std::string CProjectScoreStore::GetPath() const { return m_project.GetPath(); }
std::string CProjectScoreStore::GetName() const { return m_project.GetName(); }
bool CProjectScoreStore::IsCfr() const { return m_project.IsOpenCfr(); }

bool CProjectScoreStore::ReadTestee(const std::string& testee, CTesteeInfo* out) {
  return m_project.ReadTestee(testee, out);
}

bool CProjectScoreStore::ReadTask(const std::string& model, const std::string& task, CExpModelTask* out) {
  return m_project.ReadTask(out, model, task);
}

bool CProjectScoreStore::Read(const ScoreKey& key, const QelDateTime* asOf, int64_t seq, StoredScore* out) {
  if (!out) return false;
  *out = StoredScore{};
  if (asOf && asOf->IsValid() && seq == 0) {
    // The score as saved at that date: the version that stands when it was
    // saved then (it came after any version kept within the same second).
    StoredScore standing;
    if (Read(key, nullptr, 0, &standing) && standing.savedDate.IsValid() && standing.savedDate.value == asOf->value) {
      *out = std::move(standing);
      return true;
    }
  }
  std::vector<uint32_t> attrs;
  std::vector<std::string> names, formats, labels;
  std::vector<double> values;
  QelDateTime assessmentDate = QelDateTime::Null();
  QelDateTime birthDate = QelDateTime::Null();
  QelDateTime savedDate = QelDateTime::Null();
  std::string user;
  const int n = m_project.ReadVariables(key.testee, key.model, key.task, key.assessment, asOf, &attrs, &names, &formats,
                                        &labels, &values, &assessmentDate, &birthDate, &user, &savedDate, nullptr,
                                        nullptr, seq);
  if (n <= 0) return false;
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
  out->user = user;
  out->birthDate = birthDate;
  const bool standing = !(asOf && asOf->IsValid()) && seq == 0;
  if (standing) {
    // A plain file stores neither: the project's cache has them.
    if (out->user.empty()) {
      out->user = m_project.GetScoreUser(key.testee.c_str(), key.model.c_str(), key.task.c_str(), key.assessment);
    }
    if (!out->birthDate.IsValid()) out->birthDate = CachedBirthDate(m_project, key);
  }
  return true;
}

bool CProjectScoreStore::ReadScore(const ScoreKey& key, const QelDateTime* asOf, StoredScore* out) {
  return Read(key, asOf, 0, out);
}

bool CProjectScoreStore::ReadVersion(const ScoreKey& key, const ScoreVersion& version, StoredScore* out) {
  if (version.seq == 0) return Read(key, nullptr, 0, out);
  return Read(key, &version.savedDate, version.seq, out);
}

std::vector<ScoreVersion> CProjectScoreStore::GetVersions(const ScoreKey& key) {
  std::vector<QelDateTime> birthDates, assessmentDates, savedDates;
  std::vector<std::string> users;
  const int cached = m_project.GetScoreChanges(key.testee.c_str(), key.model.c_str(), key.task.c_str(), key.assessment,
                                               &birthDates, &assessmentDates, &users, &savedDates);
  std::vector<ScoreVersion> versions;
  if (cached <= 0) return versions;
  // The version that stands, with the birth date it was computed with.
  ScoreVersion standing;
  standing.savedDate = savedDates[0];
  standing.assessmentDate = assessmentDates[0];
  standing.birthDate = CachedBirthDate(m_project, key);
  standing.user = users[0];
  versions.push_back(standing);
  if (!m_project.IsOpenCfr()) return versions;

  // The kept versions from the file (oldest first there), with their
  // sequence numbers.
  std::vector<uint32_t> numbers;
  std::vector<QelDateTime> keptAssessmentDates, keptDates;
  std::vector<std::string> keptUsers;
  std::vector<int64_t> seqs;
  const int kept = m_project.ReadVariableHistory(key.testee, key.model, key.task, &numbers, &keptAssessmentDates,
                                                 nullptr, nullptr, &keptUsers, &keptDates, nullptr, nullptr, nullptr,
                                                 &seqs);
  std::vector<ScoreVersion> older;
  for (int i = 0; i < kept; ++i) {
    const auto k = static_cast<size_t>(i);
    if (numbers[k] != key.assessment) continue;
    ScoreVersion v;
    v.savedDate = keptDates[k];
    v.assessmentDate = keptAssessmentDates[k];
    v.user = keptUsers[k];
    v.seq = seqs[k];
    older.push_back(v);
  }
  // The cache lists the same kept versions newest first with their birth dates.
  const bool sameCount = static_cast<size_t>(cached) == older.size() + 1;
  for (size_t j = 0; j < older.size(); ++j) {
    ScoreVersion v = older[older.size() - 1 - j];
    if (sameCount) v.birthDate = birthDates[j + 1];
    versions.push_back(v);
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
