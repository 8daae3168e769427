// The score store of a plain project: its file through the plain project
// database and its cache. A plain project keeps no saved versions: a score
// has one version, the one that stands.
#pragma once

#include "scores/ScoreStore.h"

namespace qel {

class CProjectData;
class CProjectDbPlain;

class CPlainScoreStore : public IScoreStore {
 public:
  // Both bound to the same open project; not owned.
  CPlainScoreStore(CProjectDbPlain& db, CProjectData& cache) : m_db(db), m_cache(cache) {}

  std::string GetPath() const override;
  std::string GetName() const override;
  bool IsCfr() const override { return false; }
  bool ReadTestee(const std::string& testee, CTesteeInfo* out) override;
  bool ReadTask(const std::string& model, const std::string& task, CExpModelTask* out) override;
  bool ReadScore(const ScoreKey& key, const QelDateTime* asOf, StoredScore* out) override;
  std::vector<ScoreVersion> GetVersions(const ScoreKey& key) override;
  bool ReadVersion(const ScoreKey& key, const ScoreVersion& version, StoredScore* out) override;
  std::vector<uint32_t> GetAssessments(const std::string& testee, const std::string& model,
                                       const std::string& task) override;
  QelDateTime GetDuration(const ScoreKey& key) override;
  std::string GetUserFirstName(const std::string& user) override;
  std::string GetUserSurname(const std::string& user) override;

 private:
  CProjectDbPlain& m_db;
  CProjectData& m_cache;
};

}  // namespace qel
