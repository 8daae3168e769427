// The score windows: the score dialog of a Tapping run with the program's
// Tapping plug-in (its variables and norms) in the basic view, the Z-score
// bars and the norm curve, the export dialog, the score table to print,
// the response-sequence graph of the four tapping parts; a saved score of
// an audited project with three versions in the changes view (plain and
// grouped); and the dialog's help.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/app.h>
#include <wx/listctrl.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "app/settings/SystemSettings.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "scores/ui/DlgScore.h"
#include "scores/ui/DlgScoreExport.h"
#include "scores/ui/DlgScoreList.h"
#include "project/TesteeInfo.h"
#include "scores/ScoreHelp.h"
#include "scores/ui/DlgTaskParSpecTpGr.h"
#include "scores/ui/ScoreSheetPage.h"
#include "ui/ui/DlgHelp.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

// A saved Tapping score of an audited project: three versions by two
// users, the left part's Z-scores changed between them.
class VersionedStore final : public IScoreStore {
 public:
  VersionedStore(CTaskLibrary& library, const ITaskRunData& run) : m_library(library) {
    for (int v = 0; v < 3; ++v) {
      StoredScore& s = m_scores[v];
      s.assessmentDate = QelDateTime::FromDate(2026, 3, 4, 9, 15, 0);
      s.savedDate = QelDateTime::FromDate(2026, 3, 4 + v, 10 + v, 5, 0);
      s.birthDate = QelDateTime::FromDate(1961, 6, 2);
      s.user = v == 1 ? "clin2" : "clin1";
      for (int i = 0; i < run.variableCount; ++i) {
        ScoreVariable var;
        var.name = run.scoreVariables[i].code;
        s.variables.push_back(var);
        s.values.push_back(run.values[i] + (i % 6 >= 4 ? 0.25 * v : 0.0));
      }
    }
  }
  std::string GetPath() const override { return "/home/clinic/Studies/Audited.qep"; }
  std::string GetName() const override { return "Audited"; }
  bool IsCfr() const override { return true; }
  bool ReadTestee(const std::string&, CTesteeInfo* out) override {
    out->m_testee = "T01";
    out->m_firstName = "Marta";
    out->m_surname = "Visser";
    out->m_dateBirth = QelDateTime::FromDate(1961, 6, 2);
    out->m_sex = 1;
    return true;
  }
  bool ReadTask(const std::string&, const std::string&, CExpModelTask* out) override {
    out->SetFromModelTask(m_library.modelDefault);
    out->library = &m_library;
    return true;
  }
  bool ReadScore(const ScoreKey&, const QelDateTime*, StoredScore* out) override {
    *out = m_scores[2];
    return true;
  }
  std::vector<ScoreVersion> GetVersions(const ScoreKey&) override {
    std::vector<ScoreVersion> versions;
    for (int v = 2; v >= 0; --v) versions.push_back({m_scores[v].savedDate, m_scores[v].assessmentDate,
                                                     m_scores[v].birthDate, m_scores[v].user, v == 2 ? 0 : v + 1});
    return versions;
  }
  bool ReadVersion(const ScoreKey&, const ScoreVersion& version, StoredScore* out) override {
    *out = m_scores[version.seq == 0 ? 2 : version.seq - 1];
    return true;
  }
  std::vector<uint32_t> GetAssessments(const std::string&, const std::string&, const std::string&) override {
    return {2};
  }
  QelDateTime GetDuration(const ScoreKey&) override { return QelDateTime::Null(); }
  std::string GetUserFirstName(const std::string& user) override { return user == "clin2" ? "Ruud" : "Clara"; }
  std::string GetUserSurname(const std::string& user) override { return user == "clin2" ? "Bakker" : "Jansen"; }

 private:
  CTaskLibrary& m_library;
  StoredScore m_scores[3];
};

class ScoreWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSystemSettings();
    m_library.host = &Host();
    ASSERT_TRUE(m_library.Load(QEL_OUTPUT_DIR "/QelTP.qet", true));
    m_task.SetFromModelTask(m_library.modelDefault);
    m_task.library = &m_library;
    m_task.currentAssessment = 2;
    CTaskRunData& rd = RunData();
    rd.SetTask(&m_task);
    // A tapping run of four parts: steady taps, the two hands in turn and together.
    for (int p = 0; p < 4; ++p) {
      int n = 0;
      for (int i = 0; i < 40 && n + 3 < kMaxResponses; ++i) {
        const int32_t gap = i == 0 ? 400 : 110 + (i * 37) % 60;
        if (p == 3) {  // both hands: left down, right down, left up, right up
          const int32_t words[4] = {0x5, 0xB, 0x6, 0x8};
          const int32_t times[4] = {gap, 6, 70 + (i * 13) % 30, 12};
          for (int k = 0; k < 4; ++k, ++n) {
            rd.category[p][n] = words[k];
            rd.reactionTime[p][n] = times[k];
          }
          continue;
        }
        const int32_t down = p == 1 ? 0xA : (p == 0 ? 0x5 : (i % 2 ? 0xA : 0x5));
        const int32_t up = down == 0x5 ? 0x4 : 0x8;
        rd.category[p][n] = down;
        rd.reactionTime[p][n++] = gap;
        rd.category[p][n] = up;
        rd.reactionTime[p][n++] = 70 + (i * 13) % 30;
      }
      m_task.trialCounts[p] = static_cast<uint32_t>(n);
    }
    rd.testDate = QelDateTime::FromDate(2026, 3, 4, 9, 15, 0);
    const int count = std::min(rd.scoreVariableCount, kMaxVariables);
    for (int i = 0; i < count; ++i) rd.values[i] = 40.0 + (i * 7) % 50;
    for (int i = 0; i < count; ++i) {
      if (m_task.HasZScore(i)) rd.values[i] = ((i * 37) % 90 - 45) / 10.0;
    }
    rd.variableCount = count;
  }
  void TearDown() override {
    Pump(30);
    wxTheApp->ProcessIdle();
    m_library.Unload();
  }
  std::unique_ptr<CScoreDocument> Score() {
    CScoreDocument::Computed computed;
    computed.runData = &RunData();
    computed.testee = "T01";
    computed.model = "Gallery model";
    computed.task = &m_task;
    computed.partFilter = 0;
    computed.maySave = true;
    return std::make_unique<CScoreDocument>(computed, ScoreUser{"clin1", "Clara", "Jansen", false});
  }

  CTaskLibrary m_library;
  CExpModelTask m_task;
};

TEST_F(ScoreWindows, ScoreDialogViews) {
  auto* dialog = new CDlgScore(nullptr, Score());
  ExpectDrawn(Snap(dialog, "score_dialog"), "score dialog");
  int checked = 0;
  for (int row = 0; row < dialog->List()->GetItemCount() && checked < 8; ++row) {
    if (dialog->CheckRow(row, true)) ++checked;
  }
  EXPECT_GT(checked, 0) << "the Tapping task has Z-scores";
  dialog->ShowView(ScoreView::kZ);
  ExpectDrawn(Snap(dialog, "score_dialog_zbars"), "Z-score bars");
  for (int row = 0; row < dialog->List()->GetItemCount(); ++row) {
    const long key = dialog->List()->GetItemData(row);
    if (key > 0 && dialog->Document().Sheet().HasZScore(static_cast<int>(key - 1))) {
      dialog->SelectRow(row);
      break;
    }
  }
  dialog->ShowView(ScoreView::kZNorm);
  ExpectDrawn(Snap(dialog, "score_dialog_norm_curve"), "norm curve");
  dialog->ShowView(ScoreView::kBasic);
  auto* exporter = new CDlgScoreExport(dialog, *dialog, false);
  ExpectDrawn(Snap(exporter, "score_export"), "score export");
  // Its Save button asks for the file.
  ExpectDrawn(SnapModal("Export to external file", "file_export_score",
                        [exporter] {
                          for (wxWindow* child : exporter->GetChildren()) {
                            auto* button = wxDynamicCast(child, wxButton);
                            if (!button || button->GetLabel() != "Save") continue;
                            wxCommandEvent save(wxEVT_BUTTON, button->GetId());
                            save.SetEventObject(button);
                            button->GetEventHandler()->ProcessEvent(save);
                          }
                        }),
              "score export file");
  exporter->Destroy();
  auto* table = new CDlgScoreList(
      dialog, {&dialog->Document(), ScoreView::kBasic, false, ScoreHeaderData::Mode::kPrinted}, std::string(), true);
  ExpectDrawn(Snap(table, "score_table"), "score table");
  // Its Print button asks the toolkit's print dialog where to print.
  ExpectDrawn(SnapModal("", "print_score_sheet",
                        [&] {
                          PrintScoreSheet(table, {&dialog->Document(), ScoreView::kBasic, false,
                                                  ScoreHeaderData::Mode::kPrinted});
                        }),
              "print dialog");
  table->Destroy();
  dialog->Destroy();
}

TEST_F(ScoreWindows, ChangesBetweenSavedVersionsAndHelp) {
  VersionedStore store(m_library, RunData());
  CScoreDocument::Saved saved;
  saved.store = &store;
  saved.key = {"T01", "Gallery model", "TP", 2};
  auto* dialog =
      new CDlgScore(nullptr, std::make_unique<CScoreDocument>(saved, ScoreUser{"clin1", "Clara", "Jansen", true}));
  dialog->ShowView(ScoreView::kChanges);
  ASSERT_EQ(dialog->GetView(), ScoreView::kChanges);
  ExpectDrawn(Snap(dialog, "score_dialog_changes"), "changes view");
  dialog->SetListOption(true, false, false);
  ExpectDrawn(Snap(dialog, "score_dialog_changes_grouped"), "grouped changes view");
  dialog->SetListOption(false, false, false);
  dialog->ShowView(ScoreView::kBasic);
  // The help of the basic view, with the program's texts as the sources hold them.
  const std::string rtf = BuildScoreHelp(dialog->HelpTextIds(), [](uint32_t id) {
    std::ifstream in(std::string(QEL_SOURCE_DIR) + "/app/resources/texts/" + std::to_string(id) + ".rtf");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  });
  auto* help = new CDlgHelp(rtf.c_str(), "Score Help", dialog, 100);
  ExpectDrawn(Snap(help, "score_help"), "score help");
  help->Destroy();
  dialog->Destroy();
}

TEST_F(ScoreWindows, ResponseSequence) {
  auto* dialog = new CDlgTaskParSpecTpGr(nullptr, &m_task, &RunData());
  dialog->SetUseCriteria(true);
  ExpectDrawn(Snap(dialog, "response_sequence"), "response sequence");
  dialog->Destroy();
}

}  // namespace
}  // namespace qel
