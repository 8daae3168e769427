// What the score dialog shows, without its window: one score of a testee,
// either computed by a run that just ended or stored in the project, with
// its identification texts, its sheet, its saved versions and the two
// versions the changes view compares. The dialog never writes to the
// project: it answers whether the operator wants the computed score saved.
//
// Thread contract: user-interface thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/model/ExpModelTask.h"
#include "include/qel/DateTime.h"
#include "scores/ScoreSheet.h"
#include "scores/ScoreStore.h"

namespace qel {

class ITaskRunData;

// The logged-in user (an empty id: nobody) and the program's mode.
struct ScoreUser {
  std::string id, firstName, surname;
  bool cfrMode = false;  // the program runs in 21 CFR mode
};

class CScoreDocument {
 public:
  // A computed score (a run that ended): task may be null, store may be null.
  struct Computed {
    const ITaskRunData* runData = nullptr;
    IScoreStore* store = nullptr;
    std::string testee, model;
    CExpModelTask* task = nullptr;
    int partFilter = 0;
    bool maySave = false;
    bool practice = false;
  };
  // A stored score; asOf null: the version that stands.
  struct Saved {
    IScoreStore* store = nullptr;
    ScoreKey key;
    const QelDateTime* asOf = nullptr;
    int partFilter = 0;
  };

  explicit CScoreDocument(const Computed& computed, const ScoreUser& user = {});
  explicit CScoreDocument(const Saved& saved, const ScoreUser& user = {});

  CScoreSheet& Sheet() { return m_sheet; }
  const CScoreSheet& Sheet() const { return m_sheet; }
  const CExpModelTask* Task() const { return m_task; }
  // The run's data (a computed score; null for a stored one).
  const ITaskRunData* RunData() const { return m_runData; }

  bool IsComputed() const { return m_computed; }
  bool IsPractice() const { return m_practice; }
  bool MaySave() const { return m_maySave; }
  bool TaskAvailable() const { return m_taskAvailable; }
  bool ChangesAvailable() const { return m_versions.size() > 1 && m_asOfNull; }
  bool IsCfr() const { return m_cfr; }
  bool BirthDateDiffers() const { return m_birthDateDiffers; }

  // Identification and texts shown.
  std::string m_projectPath, m_projectName, m_testee, m_model, m_taskId, m_taskName;
  uint32_t m_assessment = 0;
  int m_taskVersion = 0;
  std::string m_testeeCode, m_firstName, m_surname, m_sexText, m_handednessText, m_ageText;
  std::string m_birthDateText, m_testTimeText, m_savedDateText, m_durationText;
  std::string m_testerId, m_testerFirstName, m_testerSurname;
  std::string m_captionNote;
  QelDateTime m_testDate = QelDateTime::Null();
  QelDateTime m_savedDate = QelDateTime::Null();
  QelDateTime m_birthDate = QelDateTime::Null();
  double m_age = 0.0;
  ScoreUser m_user;

  // The caption of a table view: "Test Scores", "Practice Scores" or
  // "Saved Scores" (with the caller's note), "<TASK NOT AVAILABLE>" when no
  // row could be listed.
  std::string Caption() const;
  std::string VersionText() const { return "Task version: " + std::to_string(m_taskVersion); }

  // Saved versions (newest first) and the one the changes view shows as new.
  const std::vector<ScoreVersion>& Versions() const { return m_versions; }
  int SelectedVersion() const { return m_selectedVersion; }
  void SelectVersion(int k) { m_selectedVersion = k; }
  std::string ChangeNoText() const;
  // Reads the selected version and the one before it into the changes
  // view; false (the view unchanged) when either has no values.
  bool LoadChange();

  // The header lines of a printed or exported score.
  ScoreHeaderData Headers(ScoreHeaderData::Mode mode, bool noTesteeName) const;

 private:
  void ReadTesteeAndTask(IScoreStore* store);
  void FinishTexts();

  CScoreSheet m_sheet;
  CExpModelTask m_ownTask;
  CExpModelTask* m_task = nullptr;
  IScoreStore* m_store = nullptr;
  const ITaskRunData* m_runData = nullptr;
  bool m_computed = false;
  bool m_practice = false;
  bool m_maySave = false;
  bool m_taskAvailable = false;
  bool m_cfr = false;
  bool m_asOfNull = true;
  bool m_birthDateDiffers = false;
  QelDateTime m_currentBirthDate = QelDateTime::Null();
  std::vector<ScoreVersion> m_versions;
  int m_selectedVersion = -1;
};

// "%02u:%02u:%02u, <short date>" of a test date; empty when not valid.
std::string FormatTestTime(const QelDateTime& date);

}  // namespace qel
