// What the score views and the score export need of a project: the testee,
// the task of a model, the stored scores and their saved versions. The
// program's project object, either format, implements it through
// ProjectScoreStore.
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"
#include "scores/ScoreSheet.h"

namespace qel {

class CExpModelTask;
class CTesteeInfo;

struct ScoreKey {
  std::string testee, model, task;
  uint32_t assessment = 0;
};

// One stored score: its variables as stored (names, formats, labels and
// attribute words, for a task whose plug-in is missing) and values.
struct StoredScore {
  std::vector<ScoreVariable> variables;
  std::vector<double> values;
  QelDateTime assessmentDate = QelDateTime::Null();
  QelDateTime savedDate = QelDateTime::Null();
  QelDateTime birthDate = QelDateTime::Null();  // the birth date it was computed with (null: not stored)
  std::string user;                               // who saved it (empty in a plain project)
};

// One saved version of a score (the current one first, then older ones).
struct ScoreVersion {
  QelDateTime savedDate = QelDateTime::Null();
  QelDateTime assessmentDate = QelDateTime::Null();
  QelDateTime birthDate = QelDateTime::Null();
  std::string user;
  // The kept row's sequence number in an audited project (two versions
  // saved within one second differ by it); 0 for the version that stands.
  int64_t seq = 0;
};

class IScoreStore {
 public:
  virtual ~IScoreStore() = default;
  virtual std::string GetPath() const = 0;
  virtual std::string GetName() const = 0;  // the file title
  virtual bool IsCfr() const = 0;
  virtual bool ReadTestee(const std::string& testee, CTesteeInfo* out) = 0;
  // The task of the model, bound to its plug-in when that is loaded.
  virtual bool ReadTask(const std::string& model, const std::string& task, CExpModelTask* out) = 0;
  // The score as it stands (asOf null) or as saved at that date.
  virtual bool ReadScore(const ScoreKey& key, const QelDateTime* asOf, StoredScore* out) = 0;
  // The saved versions, newest (the current one) first.
  virtual std::vector<ScoreVersion> GetVersions(const ScoreKey& key) = 0;
  // One of the versions GetVersions listed.
  virtual bool ReadVersion(const ScoreKey& key, const ScoreVersion& version, StoredScore* out) = 0;
  // The stored scores of a testee for a model and task: their assessment numbers.
  virtual std::vector<uint32_t> GetAssessments(const std::string& testee, const std::string& model,
                                               const std::string& task) = 0;
  // Span from the first to the last response of the assessment, in days (null when none).
  virtual QelDateTime GetDuration(const ScoreKey& key) = 0;
  virtual std::string GetUserFirstName(const std::string& user) = 0;
  virtual std::string GetUserSurname(const std::string& user) = 0;
};

}  // namespace qel
