// The stored scores of the program's project object, of either format, as
// the score dialog and the score export read them: the testee, the task of
// a model bound to its plug-in, a score as it stands or as saved at a date
// (kept versions only in a CFR project), its versions, and the users.
#pragma once

#include "scores/ScoreStore.h"

namespace qel {

class CQelProject;

class CProjectScoreStore final : public IScoreStore {
 public:
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
  CQelProject& m_project;
};

}  // namespace qel
