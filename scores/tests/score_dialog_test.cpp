// The score dialog under the X server: a computed score shown, saved or
// not as the operator answers, printed to a PDF whose text holds the
// variables, its bar chart exported as a bitmap with its bars; and the
// response-sequence dialog of a tapping run.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include "app/settings/SystemSettings.h"
#include "db/tests/support/DbTestTools.h"
#include "scores/tests/ScoreTestProject.h"
#include "scores/ui/DlgScore.h"
#include "scores/ui/DlgScoreExport.h"
#include "scores/ui/DlgScoreList.h"
#include "scores/ui/DlgTaskParSpecTpGr.h"
#include "scores/ui/ScoreSheetPage.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/fakes/FakeTaskLibrary.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/DlgHelp.h"

namespace qel {
namespace test {
namespace {

// A task with norms: a raw variable and its Z-score, and a second Z-score.
const TaskVariableDef kNormVariables[] = {
    {"RT_tp", nullptr, "%.1f", "Mean tap time", VariableFlags(kVarTypeCount, 1), 0},
    {"ZRT_tp", nullptr, "%.2f", "Z of tap time", VariableFlags(kVarTypeZScore, 1), 0},
    {"ZN_tp", nullptr, "%.2f", "Z of taps", VariableFlags(kVarTypeZScore, 1), 0},
};
const TaskNormVariable kNormEntries[] = {{1, "ms", "RT", nullptr, 0, 0}, {2, "N", "N", nullptr, 0, 0}};

class ScoreDialogTest : public ScoreProjectTest {
 protected:
  void TearDown() override {
    wxTheApp->ProcessIdle();
    ScoreProjectTest::TearDown();
  }
  // A computed score of the task with norms, Z-scores 2.5 and -1.5.
  std::unique_ptr<CScoreDocument> NormedScore() {
    library_.scoreVariables = kNormVariables;
    library_.scoreVariableCount = std::size(kNormVariables);
    library_.normVariables = kNormEntries;
    library_.normVariableCount = std::size(kNormEntries);
    library_.loaded = 1;
    library_.m_answerAll = 100.0;
    normTask_ = RunTask(kCode, 1, 1, 20);
    normTask_.library = &library_;
    project_->runData->scoreVariables = kNormVariables;
    project_->runData->scoreVariableCount = 3;
    project_->runData->variableCount = 3;
    project_->runData->values[0] = 350.0;
    project_->runData->values[1] = 2.5;
    project_->runData->values[2] = -1.5;
    project_->runData->testDate = QelDateTime::FromDate(2020, 7, 1, 10, 30, 15);
    CScoreDocument::Computed computed;
    computed.runData = project_->runData.get();
    computed.store = store_.get();
    computed.testee = kTestee;
    computed.model = kModel;
    computed.task = &normTask_;
    computed.maySave = true;
    return std::make_unique<CScoreDocument>(computed);
  }
  FakeTaskLibrary library_;
  CExpModelTask normTask_;
};

TEST_F(ScoreDialogTest, TheOperatorsAnswerDecidesWhetherTheRunIsSaved) {
  struct Case {
    int answer;
    int result;
  };
  for (const Case c : {Case{kAnswerYes, wxID_OK}, Case{kAnswerNo, wxID_CANCEL}}) {
    CExpModelTask task = FinishedRun();
    PromptRecorder prompts(c.answer);
    CDlgScore dialog(nullptr, Computed(task));
    EXPECT_EQ(dialog.GetTitle(), "Test Scores");
    EXPECT_EQ(dialog.List()->GetItemCount(), 3);
    EXPECT_EQ(dialog.List()->GetItemText(1, 2), "3.5");
    EXPECT_EQ(dialog.List()->GetItemText(2, 2), "-");
    EXPECT_TRUE(dialog.SaveButton()->IsShown());
    EXPECT_EQ(dialog.ToolTipOf(dialog.SaveButton()), "Save data into the Qel database (Qel project)");
    EXPECT_EQ(dialog.ToolTipOf(dialog.ExportButton()), "Export this data to file for use in other programs");
    dialog.CallAfter([&dialog] { dialog.CloseAsked(); });
    EXPECT_EQ(dialog.ShowModal(), c.result);
    ASSERT_EQ(prompts.ShownTexts().size(), 1u);
    EXPECT_EQ(prompts.ShownTexts()[0], "Save this score into database?");
  }
}

TEST_F(ScoreDialogTest, TheFactoryAnswersForTheRunDialog) {
  CExpModelTask task = FinishedRun();
  PromptRecorder prompts(kAnswerCancel);
  CScoreDialogFactory factory;
  factory.SetStore(store_.get());
  ScoreDialogRequest request;
  request.runData = project_->runData.get();
  request.testeeCode = kTestee;
  request.modelName = kModel;
  request.task = &task;
  request.savable = true;
  // Cancel keeps the dialog open; then Save ends it with the answer to store the run.
  wxTheApp->CallAfter([] {
    for (wxWindow* w : wxTopLevelWindows) {
      if (auto* d = dynamic_cast<CDlgScore*>(w)) {
        d->CloseAsked();
        EXPECT_TRUE(d->IsModal());
        wxCommandEvent click(wxEVT_BUTTON, d->SaveButton()->GetId());
        click.SetEventObject(d->SaveButton());
        d->SaveButton()->GetEventHandler()->ProcessEvent(click);
      }
    }
  });
  EXPECT_EQ(factory.RunScoreDialog(request), kScoreDialogOk);
}

// "Help" shows the program's texts on the parts of the dialog on offer, in
// the Language setting's language, as one text titled "Score Help".
TEST_F(ScoreDialogTest, HelpExplainsThePartsOnOfferInTheLanguageSet) {
  const int language = g_Language;
  CDlgScore dialog(nullptr, NormedScore());
  EXPECT_EQ(dialog.ToolTipOf(dialog.HelpButton()), "Some explanations for this dialog");
  g_Language = 1;
  // View B of a score with Z-scores: the three views, the marking, export and print.
  EXPECT_EQ(dialog.HelpTextIds(), (std::vector<uint32_t>{234, 233, 240, 239, 235}));
  g_Language = 3;
  EXPECT_EQ(dialog.HelpTextIds(), (std::vector<uint32_t>{338, 339, 340, 344, 346}));
  dialog.ShowView(ScoreView::kZ);
  EXPECT_EQ(dialog.HelpTextIds(), (std::vector<uint32_t>{338, 339, 346})) << "view Z: no marking, no Z-Norm";
  dialog.ShowView(ScoreView::kBasic);
  g_Language = 2;
  std::string title, shown;
  wxTheApp->CallAfter([&] {
    for (wxWindow* w : wxTopLevelWindows) {
      auto* help = dynamic_cast<CDlgHelp*>(w);
      if (!help || !help->IsModal()) continue;
      title = help->GetTitle().utf8_string();
      shown = help->GetView()->GetShownText();
      help->EndModal(wxID_CANCEL);
    }
  });
  wxCommandEvent click(wxEVT_BUTTON, dialog.HelpButton()->GetId());
  click.SetEventObject(dialog.HelpButton());
  dialog.HelpButton()->GetEventHandler()->ProcessEvent(click);
  g_Language = language;
  EXPECT_EQ(title, "Score Help");
  // The Dutch texts of the parts on offer, in their order, and no others.
  const size_t basic = shown.find("De lijst met basisscores");
  const size_t bars = shown.find("als balken op een schaal van -3 tot +3");
  const size_t curve = shown.find("De normcurve van de gekozen Z-scorevariabele");
  const size_t marks = shown.find("vinkt alle Z-scores aan");
  const size_t output = shown.find("schrijft de getoonde lijst of grafiek");
  for (size_t at : {basic, bars, curve, marks, output}) ASSERT_NE(at, std::string::npos) << shown;
  EXPECT_TRUE(basic < bars && bars < curve && curve < marks && marks < output) << shown;
  EXPECT_NE(shown.find("<NVAL>"), std::string::npos) << "the row name stands as it is";
  EXPECT_EQ(shown.find("Long list"), std::string::npos) << "no text on options not on offer";
  EXPECT_EQ(shown.find("The list of basic scores"), std::string::npos) << "no English";
}

TEST_F(ScoreDialogTest, PrintedSheetAsPdfHoldsTheVariables) {
  if (!HaveProgram("pdftotext")) GTEST_SKIP() << "pdftotext is missing";
  CExpModelTask task = FinishedRun();
  const std::unique_ptr<CScoreDocument> doc = Computed(task);
  const std::string pdf = dir_.File("score.pdf");
  ASSERT_TRUE(WriteScoreSheetPdf(pdf, {doc.get(), ScoreView::kBasic, false, ScoreHeaderData::Mode::kPrinted}));
  const ProgramResult text = RunProgram({"pdftotext", "-layout", pdf, "-"});
  ASSERT_EQ(text.exitCode, 0) << text.errors;
  for (const char* want : {"Testee:T01, Ann Lee, Age:30.50, Printed:", "Nlu_tp", "Tlu_tp", "Slu_tp", "3.5",
                           "Mean tap time", "Model:Model A, Task:TP, Ano:1"}) {
    EXPECT_NE(text.output.find(want), std::string::npos) << want << "\n" << text.output;
  }
}

TEST_F(ScoreDialogTest, BarChartBitmapShowsTheCheckedBars) {
  PromptRecorder prompts;
  CDlgScore dialog(nullptr, NormedScore());
  // Rows: RT_tp, its norm row, ZRT_tp, a norm row, ZN_tp. Refused without a Z score and
  // on a norm row, taken with one.
  ASSERT_EQ(dialog.List()->GetItemCount(), 5);
  EXPECT_EQ(dialog.List()->GetItemText(1, 1), "<NVAL>");
  EXPECT_EQ(dialog.List()->GetItemText(1, 2), "100.00");
  EXPECT_FALSE(dialog.CheckRow(0, true));
  EXPECT_FALSE(dialog.CheckRow(1, true));
  ASSERT_TRUE(dialog.CheckRow(2, true));
  ASSERT_TRUE(dialog.CheckRow(4, true));
  dialog.ShowView(ScoreView::kZ);
  EXPECT_TRUE(dialog.Graph()->IsShown());
  CDlgScoreExport exporter(&dialog, dialog, true);
  exporter.SaveBitmapsWithoutAsking(true);
  const std::string path = dir_.File("Z_TP.bmp");
  ASSERT_TRUE(exporter.ExportTo(path));
  wxImage image;
  ASSERT_TRUE(image.LoadFile(path, wxBITMAP_TYPE_BMP));
  int black = 0, lightGrey = 0;
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) {
      const unsigned char r = image.GetRed(x, y);
      if (r == 0 && image.GetGreen(x, y) == 0) ++black;
      if (r == 191 && image.GetGreen(x, y) == 191) ++lightGrey;
    }
  }
  EXPECT_GT(black, 5000);      // z = 2.5: a black bar
  EXPECT_GT(lightGrey, 5000);  // z = -1.5: a light grey bar
  dialog.ShowView(ScoreView::kBasic);
}

TEST_F(ScoreDialogTest, TableToSaveCaptionsAndALongTableShrunkToTheScreen) {
  EXPECT_EQ(ScoreListCaption("", false, ScoreView::kBasic), "Save to: <<NOT DEFINED>>");
  EXPECT_EQ(ScoreListCaption("/a/T.bmp", false, ScoreView::kBasic), "Save to: /a/T.bmp");
  EXPECT_EQ(ScoreListCaption("", true, ScoreView::kZNorm), "Print norm curve");
  EXPECT_EQ(ScoreListCaption("", true, ScoreView::kZ), "Print Z-scores");
  EXPECT_EQ(ScoreListCaption("", true, ScoreView::kBasic), "Print score table");
  // 200 rows do not fit a 768-pixel screen.
  std::vector<ScoreVariable> vars(200);
  std::vector<double> values(200, 1.0);
  for (int i = 0; i < 200; ++i) vars[static_cast<size_t>(i)].name = "V" + std::to_string(i);
  CExpModelTask task = FinishedRun();
  std::unique_ptr<CScoreDocument> doc = Computed(task);
  doc->Sheet().SetVariables(vars, values);
  doc->Sheet().Fill(ScoreView::kBasic);
  const std::string path = dir_.File("Table_TP.bmp");
  CDlgScoreList table(nullptr, {doc.get(), ScoreView::kBasic, false, ScoreHeaderData::Mode::kExported}, path, false);
  EXPECT_FALSE(table.WholeVisible());
  EXPECT_TRUE(table.OkButton()->IsEnabled());
  ASSERT_TRUE(table.SavePicture());
  wxImage image;
  ASSERT_TRUE(image.LoadFile(path, wxBITMAP_TYPE_BMP));
  EXPECT_GT(image.GetHeight(), 2000);
}

TEST_F(ScoreDialogTest, ResponseSequenceCountsTheTapsPerHandAndPart) {
  auto& rd = *project_->runData;
  CExpModelTask task = RunTask(kCode, 1, 1, 0);
  const int32_t words[] = {0x5, 0x4, 0x5, 0x4, 0x5, 0x4};
  for (int p = 0; p < 4; ++p) {
    for (int i = 0; i < 6; ++i) {
      rd.category[p][i] = p == 1 ? (words[i] << 1) : words[i];  // part 2: the right key
      rd.reactionTime[p][i] = 150;
    }
    task.trialCounts[p] = 6;
  }
  CDlgTaskParSpecTpGr dialog(nullptr, &task, &rd);
  dialog.Show();
  Pump(50);
  EXPECT_EQ(dialog.Sequence().ValidTaps(0), 2);
  EXPECT_EQ(dialog.Sequence().ValidTaps(1), 2);
  EXPECT_EQ(dialog.GetTitle(), "Total length = 900ms, First tap = 150ms");
  dialog.Destroy();
}

}  // namespace
}  // namespace test
}  // namespace qel
