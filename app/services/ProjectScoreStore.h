// The score store over the project object, whatever the open file's format:
// the stored scores of both formats (a CFR project with its saved versions)
// for the score dialog of a stored score.
#pragma once

#include "scores/ScoreStore.h"

namespace qel {

class CQelProject;

class CProjectScoreStore final : public IScoreStore {
 public:
  // Bound to the open project; not owned.
  explicit CProjectScoreStore(CQelProject& project) : m_project(project) {}

  std::string GetPath() const override;
  std::string GetName() const override;
  bool IsCfr() const override;
  bool ReadTestee(const std::string& testee, CTesteeInfo* out) override;
  bool ReadTask(const std::string& model, const std::string& task, CExpModelTask* out) override;
  bool ReadScore(const ScoreKey& key, const QelDateTime* asOf, StoredScore* out) override;
  std::vector<ScoreVersion> GetVersions(const ScoreKey& key) override;
  std::vector<uint32_t> GetAssessments(const std::string& testee, const std::string& model,
                                       const std::string& task) override;
  QelDateTime GetDuration(const ScoreKey& key) override;
  std::string GetUserFirstName(const std::string& user) override;
  std::string GetUserSurname(const std::string& user) override;

 private:
  QelDateTime CachedBirthDate(const ScoreKey& key) const;

  CQelProject& m_project;
};

}  // namespace qel
