// The score store of the program's project object, in either format. An
// audited (CFR) project keeps every former version of a score in the
// history twin of its Variables table: the versions are listed from there,
// newest first after the version that stands, each with who saved it and
// when, and read back by its sequence number so that two saves within one
// second stay apart. A plain project has one version.
//
// Thread contract: user-interface thread only.
#pragma once

#include "scores/ScoreStore.h"

namespace qel {

class CQelProject;

class CProjectScoreStore : public IScoreStore {
 public:
  // The open project; not owned.
  explicit CProjectScoreStore(CQelProject& project) : m_project(project) {}

  std::string GetPath() const override;
  std::string GetName() const override;
  bool IsCfr() const override;
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
  // The standing row (asOf null, seq 0), or a kept one.
  bool Read(const ScoreKey& key, const QelDateTime* asOf, int64_t seq, StoredScore* out);

  CQelProject& m_project;
};

}  // namespace qel
