// The Data, Export and Import pages' services over the program's project
// object, on a real plain project with the Tapping plug-in: nothing without
// an open project, the raw responses as the 21 CFR rules ask for the
// project's format, the stored score in the score dialog, and the score
// export starting from the page's kept settings.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <fstream>

#include "app/services/ProgramServices.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramDataPages.h"
#include "scores/ui/DlgScore.h"
#include "scores/ui/DlgScoreExport.h"
#include "tests/support/common/PromptRecorder.h"
#include "ui/tests/DataProjectSupport.h"

namespace qel {
namespace test {
namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ProgramDataPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tapping_.Loaded());
    code_ = tapping_.Code();
    path_ = dir_.File("Clinic.qep");
    {
      DataProject data(path_, false, code_);
      ASSERT_TRUE(data.Ok());
      const QelDateTime day = QelDateTime::FromDate(2023, 5, 6, 11, 0, 0);
      ASSERT_TRUE(data.Store("T01", 1, 1, {{1, 300, 1, 1}, {2, 350, 2, 2}}, data.Anna(), day));
      ASSERT_TRUE(data.Store("T02", 1, 1, {{1, 320, 2, 1}}, data.Anna(), day));
    }
    SetDocProjectFactory([this]() -> std::unique_ptr<IDocProject> {
      return std::make_unique<CProgramProject>(runData_.get());
    });
    g_LoggedUser.m_id = "anna";
    g_LoggedUser.m_type = 1;
  }
  void TearDown() override {
    ResetProgramProject();
    SetDocProjectFactory(nullptr);
    LogoutCurrentUser();
  }
  void OpenProject() { OpenProject(path_); }
  void OpenProject(const std::string& path) {
    auto* program = dynamic_cast<CProgramProject*>(GetProgramProject());
    ASSERT_NE(program, nullptr);
    program->SetPath(path);
    ASSERT_TRUE(program->Project().Open(path, false, false));
  }
  DataPageScore Score(const std::string& testee) { return {testee, kDataModel, code_, 1}; }

  TappingLoaded tapping_;
  TempFolder dir_;
  std::string code_;
  std::string path_;
  std::unique_ptr<CTaskRunData> runData_ = std::make_unique<CTaskRunData>();
  CProgramDataPages services_;
  PromptRecorder prompts_;
};

}  // namespace

TEST_F(ProgramDataPagesTest, NothingIsListedOrWrittenWithoutAnOpenProject) {
  EXPECT_EQ(services_.GetProjectData(), nullptr);
  EXPECT_EQ(services_.GetProject(), nullptr);
  const std::string raw = dir_.File("raw.txt");
  EXPECT_FALSE(services_.ExportRawResponses(raw, Score("T01")));
  EXPECT_FALSE(std::filesystem::exists(raw));
  ScoreExportSettings settings;
  EXPECT_FALSE(services_.ExportScores(nullptr, {"T01"}, kDataModel, code_, &settings));

  OpenProject();
  ASSERT_NE(services_.GetProjectData(), nullptr);
  EXPECT_EQ(services_.GetProjectData()->GetTesteeCount(), 3);
  ASSERT_NE(services_.GetProject(), nullptr);
  EXPECT_EQ(services_.GetProject()->GetPath(), path_);
}

TEST_F(ProgramDataPagesTest, APlainProjectsRawResponsesHaveNoTesterColumnsIn21CfrMode) {
  ASSERT_TRUE(kCfrMode);
  OpenProject();
  const std::string raw = dir_.File("R_T01.txt");
  ASSERT_TRUE(services_.ExportRawResponses(raw, Score("T01")));
  const std::vector<std::string> lines = Lines(raw);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 14), "TesteeId|Code|");
  EXPECT_NE(lines[2].find("|CR|350|L|CR\r"), std::string::npos) << lines[2];
}

TEST_F(ProgramDataPagesTest, AnAuditedProjectsRawResponsesNameTheirTesters) {
  const std::string audited = dir_.File("Audited.qep");
  {
    DataProject data(audited, true, code_);
    ASSERT_TRUE(data.Ok());
    ASSERT_TRUE(data.Store("T03", 1, 2, {{1, 301, 1, 1}}, data.Anna(), QelDateTime::FromDate(2023, 5, 7, 9, 0, 0)));
  }
  OpenProject(audited);
  ASSERT_TRUE(GetProgramProject()->IsOpenCfr());
  const std::string raw = dir_.File("R_T03.txt");
  ASSERT_TRUE(services_.ExportRawResponses(raw, Score("T03")));
  const std::vector<std::string> lines = Lines(raw);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].substr(0, 23), "TesterId|TFname|TSname|");
  EXPECT_EQ(lines[1].substr(0, 20), "anna|Anna|Berg|T03|D");
}

TEST_F(ProgramDataPagesTest, TheStoredScoreOpensInTheScoreDialog) {
  OpenProject();
  std::string shown;
  wxTheApp->CallAfter([&shown] {
    for (wxWindow* w : wxTopLevelWindows) {
      if (auto* d = dynamic_cast<CDlgScore*>(w)) {
        const CScoreDocument& doc = d->Document();
        shown = doc.m_testee + " " + doc.m_model + " " + std::to_string(doc.m_assessment) + " " +
                std::to_string(doc.Sheet().VariableCount()) + (doc.IsComputed() || doc.MaySave() ? " savable" : "");
        d->EndModal(wxID_CANCEL);
      }
    }
  });
  services_.ShowSavedScore(nullptr, Score("T02"));
  EXPECT_EQ(shown, "T02 Motor 1 3");
}

TEST_F(ProgramDataPagesTest, TheScoreExportStartsFromTheKeptSettingsAndHandsThemBack) {
  OpenProject();
  ScoreExportSettings settings;
  settings.path = dir_.File("T_kept.txt");
  settings.type = 2;
  settings.noTesteeName = true;
  const std::string written = dir_.File("T_new.txt");
  std::string seen;
  wxTheApp->CallAfter([&] {
    for (wxWindow* w : wxTopLevelWindows) {
      if (auto* d = dynamic_cast<CDlgScoreExport*>(w)) {
        seen = d->GetPath() + " " + std::to_string(d->GetType()) + (d->GetOptions().noTesteeName ? " noname" : "");
        if (d->ExportTo(written)) d->EndModal(wxID_OK);
      }
    }
  });
  ASSERT_TRUE(services_.ExportScores(nullptr, {"T01", "T02", "T03"}, kDataModel, code_, &settings));
  EXPECT_EQ(seen, dir_.File("T_kept.txt") + " 2 noname");
  EXPECT_EQ(settings.path, written);
  EXPECT_EQ(settings.type, 2);
  EXPECT_TRUE(settings.noTesteeName);
  const std::vector<std::string> lines = Lines(written);
  ASSERT_EQ(lines.size(), 3u);  // the header, then T01 and T02 (T03 has no score)
  EXPECT_EQ(lines[1].substr(0, 14), "T01|Default|||");
  EXPECT_EQ(lines[2].substr(0, 14), "T02|Default|||");
}

}  // namespace test
}  // namespace qel
