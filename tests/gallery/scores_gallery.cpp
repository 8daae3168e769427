// The score windows: the score dialog of a Tapping run with the program's
// Tapping plug-in (its variables and norms) in the basic view, the Z-score
// bars and the norm curve, the export dialog, the score table to print,
// and the response-sequence
// graph of the four tapping parts.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/listctrl.h>

#include <memory>

#include "app/settings/SystemSettings.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "scores/ui/DlgScore.h"
#include "scores/ui/DlgScoreExport.h"
#include "scores/ui/DlgScoreList.h"
#include "scores/ui/DlgTaskParSpecTpGr.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

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
  exporter->Destroy();
  auto* table = new CDlgScoreList(
      dialog, {&dialog->Document(), ScoreView::kBasic, false, ScoreHeaderData::Mode::kPrinted}, std::string(), true);
  ExpectDrawn(Snap(table, "score_table"), "score table");
  table->Destroy();
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
