// The program under the X server: start-up in a program folder of its own
// with the built plug-ins, the main window's toolbar, menus, splitter and
// pages, shut-down with settings and geometry kept for the next start, a
// model file named on the command line, the missing-file messages, the
// document's commands, print settings, printing to a PDF file, the help
// dialog and the About box.
#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/docview.h>
#include <wx/menu.h>
#include <wx/choice.h>
#include <wx/imaglist.h>
#include <wx/notebook.h>
#include <wx/printdlg.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "app/model/ExpModel.h"
#include "app/modelfile/ModelFile.h"
#include "app/settings/QelSettings.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "app/ui/QelProgram.h"
#include "app/ui/ReportPrintout.h"
#include "engine/input/InputDevices.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "engine/sound/SoundDevices.h"
#include "common/RtfHtml.h"
#include "include/qel/Resources.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"
#include "tests/support/gui/WxPump.h"
#include "ui/MainWindowRules.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/AppImageLists.h"
#include "ui/ui/DlgAbout.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/DlgTab.h"
#include "ui/ui/MainFrame.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {
namespace {

namespace fs = std::filesystem;
using test::Pump;
using test::PumpUntil;
using test::PromptRecorder;
using test::TempFolder;

std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A program folder with links to the built plug-ins (and the display
// library and a norms file when asked), and a settings file of its own.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSystemSettings();
    LogoutCurrentUser();
  }
  void TearDown() override {
    ResetSystemSettings();
    Pump(20);
  }

  std::string Folder() const { return m_folder.Path().string() + "/"; }
  std::string SettingsPath() const { return m_config.File("Qel.conf"); }

  int LinkProgramFiles(bool display, bool norms) {
    int plugins = 0;
    for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
      const std::string name = entry.path().filename().string();
      const bool plugin = name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet";
      if (plugin || (display && name == kDisplayLibraryName) || name == "help") {
        fs::create_symlink(entry.path(), m_folder.Path() / name);
        plugins += plugin ? 1 : 0;
      }
    }
    if (norms) std::ofstream(NormsFilePath(Folder())) << "norms";
    return plugins;
  }

  // Closes the frame as the operator does and runs the shut-down.
  static void CloseAndExit(CQelProgram& program) {
    if (CMainFrame* frame = program.GetMainFrame()) frame->Close(true);
    Pump(50);
    program.ExitInstance();
  }

  static CQelDoc* CurrentDoc(CQelProgram& program) {
    return wxDynamicCast(program.GetDocManager()->GetCurrentDocument(), CQelDoc);
  }

  std::string WriteModel(const char* name, int tasks) {
    CExpModel model;
    model.Reset();
    for (int i = 0; i < tasks; ++i) {
      CExpModelTask task;
      task.TaskId = 35;
      task.TaskIdStr = "tp";
      task.TaskName = "Tapping";
      task.w.TaskVersion = 1;
      model.AddTask(task);
    }
    const std::string path = m_models.File(name);
    std::string error;
    EXPECT_TRUE(WriteModelFile(path, &model, &error)) << error;
    return path;
  }

  TempFolder m_folder;
  TempFolder m_config;
  TempFolder m_models;
};

TEST_F(ProgramTest, StartsWithTheMainWindowAndEndsCleanly) {
  const int plugins = LinkProgramFiles(true, true);
  ASSERT_GT(plugins, 0);
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel"}));
  EXPECT_TRUE(prompts.ShownTexts().empty()) << prompts.ShownTexts()[0];
  EXPECT_TRUE(program.HasDisplayLibrary());
  EXPECT_EQ(program.GetPluginCount(), plugins);

  CMainFrame* frame = program.GetMainFrame();
  ASSERT_NE(frame, nullptr);
  Pump(100);
  EXPECT_TRUE(frame->IsShown());
  EXPECT_EQ(frame->GetTitle(), "Qel Task Battery") << "a new model has no name yet";
  EXPECT_GE(frame->GetSize().x, 960) << "the first start's small default grows to show every control";
  ASSERT_NE(frame->GetToolBar(), nullptr);
  EXPECT_EQ(frame->GetToolBar()->GetToolsCount(), static_cast<size_t>(kCfrMode ? 18 : 11));
  wxMenuBar* bar = frame->GetMenuBar();
  ASSERT_NE(bar, nullptr);
  const char* menus[] = {"&File", "&View", "&Testee", "&Project", "&System", "&Help"};
  ASSERT_EQ(bar->GetMenuCount(), 6u);
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(bar->GetMenuLabel(i), menus[i]);
  EXPECT_EQ(bar->FindItem(MenuId(kCmdProjectCompact)), nullptr);
  EXPECT_EQ(bar->FindItem(MenuId(kCmdProjectUsers)), nullptr);
  EXPECT_NE(bar->FindItem(MenuId(kCmdProjectProperties)), nullptr);
  ASSERT_NE(frame->GetStatusBar(), nullptr);
  EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 4);
  EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1), "CAP");

  wxSplitterWindow* splitter = frame->GetSplitter();
  ASSERT_TRUE(splitter->IsSplit());
  EXPECT_EQ(splitter->GetWindow1(), frame->GetTreePane());
  CQelViewTab* view = frame->GetMainView();
  EXPECT_EQ(splitter->GetWindow2(), view);
  EXPECT_EQ(GetMainView(), view);
  ASSERT_EQ(view->GetTabs()->GetPageCount(), 6u);
  const char* tabs[] = {"Assessments", "Testees", "Models", "Data", "Export", "Projects"};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(view->GetTabs()->GetPageText(i), tabs[i]);
  for (int i = 0; i < kMainPageCount; ++i) ASSERT_NE(view->GetPage(i), nullptr) << i;
  EXPECT_EQ(view->GetPage(kPageImport)->GetParent(), view) << "the Import page has no tab";
  EXPECT_FALSE(view->GetPage(kPageImport)->IsShown());
  EXPECT_EQ(view->GetCurrentPage(), kPageAssessments);
  // On the first start every button of every tab's page shows whole within
  // the frame, the Models page's model file buttons too.
  const wxRect inside = frame->GetScreenRect();
  std::function<void(wxWindow*, int)> whole = [&](wxWindow* window, int page) {
    if (auto* button = wxDynamicCast(window, wxButton); button && button->IsShownOnScreen()) {
      const wxRect rect = button->GetScreenRect();
      EXPECT_TRUE(!rect.IsEmpty() && inside.Contains(rect))
          << "page " << page << ", \"" << button->GetLabel() << "\" at " << rect.x << "," << rect.y << " sized "
          << rect.width << "x" << rect.height;
    }
    for (wxWindow* child : window->GetChildren()) whole(child, page);
  };
  for (int page : {kPageAssessments, kPageTestees, kPageModels, kPageData, kPageExport, kPageProjects}) {
    view->ShowPage(page);
    Pump(50);
    whole(view->GetPage(page), page);
  }
  view->ShowPage(kPageAssessments);

  EXPECT_EQ(program.GetRunDialog(), nullptr) << "a run dialog comes with a run";
  EXPECT_FALSE(IsAnyRunInProgress());
  EXPECT_FALSE(program.RunTaskPractice(nullptr, nullptr, nullptr, "model", view)) << "no task, no run";
  EXPECT_FALSE(program.RunTaskSignals(nullptr, nullptr, nullptr, "model", view));
  program.AbortTaskRun();

  EXPECT_EQ(program.GetHelpFilePath(), Folder() + "help/Qel.htb");
  EXPECT_TRUE(program.IsHelpPending());
  EXPECT_FALSE(program.ShowHelpTopic(0)) << "topic 0 shows nothing";
  EXPECT_TRUE(program.IsHelpPending());
  EXPECT_TRUE(program.ShowHelpTopic(2));
  EXPECT_FALSE(program.IsHelpPending());
  EXPECT_EQ(view->GetDocument(), CurrentDoc(program));

  ASSERT_NE(GetAppSmallImageList(), nullptr);
  EXPECT_EQ(GetAppSmallImageList()->GetImageCount(), kNodeIconCount);
  EXPECT_EQ(GetAppSmallImageList()->GetSize(), wxSize(16, 16));
  ASSERT_NE(GetAppLargeImageList(), nullptr);
  EXPECT_EQ(GetAppLargeImageList()->GetImageCount(), kNodeIconCount);

  view->ShowPage(kPageImport);
  EXPECT_TRUE(view->GetPage(kPageImport)->IsShown());
  view->ShowPage(kPageData);
  EXPECT_FALSE(view->GetPage(kPageImport)->IsShown());
  EXPECT_EQ(view->GetTabs()->GetSelection(), kPageData);

  CloseAndExit(program);
  EXPECT_EQ(GetMainView(), nullptr);
  EXPECT_EQ(GetAppSmallImageList(), nullptr);
  const std::string settings = ReadFile(SettingsPath());
  EXPECT_NE(settings.find("Rect="), std::string::npos) << settings;
  EXPECT_NE(settings.find("ButtonType="), std::string::npos) << settings;
}

TEST_F(ProgramTest, SettingsAndGeometryPersistAcrossTwoRuns) {
  LinkProgramFiles(true, true);
  PromptRecorder prompts;
  QelWindowState saved;
  wxSize chosen;
  {
    CQelProgram program(Folder(), SettingsPath());
    ASSERT_TRUE(program.InitInstance({"Qel"}));
    EXPECT_EQ(program.WindowState().rect.left, 10) << "no stored Rect gives the default rectangle";
    EXPECT_EQ(program.WindowState().rect.right, 500);
    CMainFrame* frame = program.GetMainFrame();
    // A size of the operator's within the screen, no smaller than the frame allows.
    chosen = wxSize(1000, frame->GetMinSize().y);
    frame->SetSize(10, 0, chosen.x, chosen.y);
    Pump(100);
    frame->GetSplitter()->SetSashPosition(180);
    Pump(50);
    g_Language = 2;
    g_ButtonType = 3;
    CloseAndExit(program);
    saved = program.WindowState();
  }
  EXPECT_EQ(saved.rect.pane1, 180);
  EXPECT_EQ(saved.rect.right - saved.rect.left, 1000);
  ResetSystemSettings();
  {
    CQelProgram program(Folder(), SettingsPath());
    ASSERT_TRUE(program.InitInstance({"Qel"}));
    const QelWindowRect& rect = program.WindowState().rect;
    EXPECT_EQ(std::tie(rect.left, rect.top, rect.right, rect.bottom, rect.pane1, rect.pane2),
              std::tie(saved.rect.left, saved.rect.top, saved.rect.right, saved.rect.bottom, saved.rect.pane1,
                       saved.rect.pane2));
    EXPECT_EQ(g_Language, 2);
    EXPECT_EQ(g_ButtonType, 3);
    Pump(100);
    EXPECT_EQ(program.GetMainFrame()->GetSize(), chosen);
    EXPECT_EQ(program.GetMainFrame()->GetSplitter()->GetSashPosition(), 180);
    EXPECT_EQ(program.GetHelpFilePath(), Folder() + "help/QelDU.htb") << "the help book follows the language";
    CloseAndExit(program);
  }
}

TEST_F(ProgramTest, AShortRectGivesTheDefaultGeometry) {
  LinkProgramFiles(true, true);
  {
    CQelSettings settings(SettingsPath());
    settings.WriteSettingString("Window size", "Rect", std::string(34, '1'));
  }
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel"}));
  const QelWindowRect& rect = program.WindowState().rect;
  EXPECT_EQ(std::tie(rect.left, rect.top, rect.right, rect.bottom, rect.pane1, rect.pane2),
            std::make_tuple(10, 10, 500, 400, 100, 100));
  CloseAndExit(program);
}

TEST_F(ProgramTest, AModelFileOnTheCommandLineOpens) {
  LinkProgramFiles(true, true);
  const std::string path = WriteModel("Battery.qem", 2);
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel", path}));
  CQelDoc* doc = CurrentDoc(program);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetFilename().utf8_string(), path);
  EXPECT_EQ(doc->GetModel().GetTaskCount(), 2);
  EXPECT_EQ(doc->GetModel().m_name, "Battery");
  EXPECT_EQ(doc->GetTitleFromPath(), "Battery");
  EXPECT_EQ(program.GetMainFrame()->GetTitle(), "Battery - Qel Task Battery");
  EXPECT_TRUE(doc->GetModel().m_loaded);
  CloseAndExit(program);
  const std::string settings = ReadFile(SettingsPath());
  EXPECT_NE(settings.find("Battery.qem"), std::string::npos) << "the model joins the recent files";
}

// Each signals or practice run of the program has a run dialog of its own,
// which goes with the run: a second run never reaches the first one's.
TEST_F(ProgramTest, TheProgramRunsATasksSignalsAgainAfterTheFirstRunEnded) {
  LinkProgramFiles(true, true);
  const std::string path = WriteModel("Signals.qem", 1);
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel", path}));
  CQelDoc* doc = CurrentDoc(program);
  ASSERT_NE(doc, nullptr);
  CExpModelTask* task = doc->GetModel().GetTask(0);
  ASSERT_NE(task, nullptr);
  task->TaskIdStr = "TP";
  BindModelTask(task);
  ASSERT_NE(task->library, nullptr) << "the program's Tapping plug-in";
  // The device lists, as the program's wiring fills them at start, and the keyboard to respond.
  ASSERT_EQ(EnumInputDevices(), 0);
  ASSERT_TRUE(EnumSoundDevices());
  g_ButtonType = 0;
  wxWindow* view = program.GetMainFrame()->GetMainView();
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    ASSERT_TRUE(program.RunTaskSignals(task, nullptr, nullptr, "Signals", view)) << ::testing::PrintToString(prompts.ShownTexts());
    EXPECT_TRUE(IsAnyRunInProgress());
    EXPECT_FALSE(program.RunTaskPractice(task, nullptr, nullptr, "Signals", view)) << "one run at a time";
    program.AbortTaskRun();
    ASSERT_TRUE(PumpUntil([&] { return !IsAnyRunInProgress() && program.GetRunDialog() == nullptr; }, 30000))
        << "the run ends and its dialog goes";
  }
  CloseAndExit(program);
}

TEST_F(ProgramTest, AModelFileThatCannotBeReadEndsTheStart) {
  LinkProgramFiles(true, true);
  const std::string path = m_models.File("broken.qem");
  std::ofstream(path) << "not a model";
  {
    CQelSettings settings(SettingsPath());
    settings.WriteSettingString("Window size", "Rect", "00020 00020 00620 00420 00150 00300");
  }
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  EXPECT_FALSE(program.InitInstance({"Qel", path}));
  ASSERT_FALSE(prompts.ShownTexts().empty());
  EXPECT_NE(prompts.ShownTexts()[0].find("broken.qem"), std::string::npos);
  program.ExitInstance();
  Pump(50);
  EXPECT_NE(ReadFile(SettingsPath()).find("00020 00020 00620 00420 00150 00300"), std::string::npos)
      << "a failed start keeps the stored geometry";
}

TEST_F(ProgramTest, MissingNormFileAndResourceLibraryAreReportedAndStartGoesOn) {
  LinkProgramFiles(false, false);
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel"}));
  const auto texts = prompts.ShownTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "No resource library");
  EXPECT_EQ(texts[1], "Missing Norm file :" + Folder() + "Qel.qen!");
  EXPECT_FALSE(program.HasDisplayLibrary());
  EXPECT_GT(program.GetPluginCount(), 0) << "plug-ins load without norms";
  CloseAndExit(program);
}

TEST_F(ProgramTest, DocumentCommands) {
  LinkProgramFiles(true, true);
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel"}));
  CQelDoc* doc = CurrentDoc(program);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetModel().GetTaskCount(), 0);
  EXPECT_TRUE(doc->GetModel().m_loaded) << "a new model is editable";
  EXPECT_EQ(doc->GetModel().m_name, "");

  auto enabled = [&](wxEvtHandler* handler, int id) {
    wxUpdateUIEvent event(id);
    handler->ProcessEvent(event);
    return event.GetEnabled();
  };
  wxDocManager* manager = program.GetDocManager();
  EXPECT_FALSE(enabled(doc, wxID_SAVEAS)) << "a model without tasks cannot be saved as";
  EXPECT_FALSE(enabled(doc, wxID_CONTEXT_HELP));
  EXPECT_FALSE(enabled(doc, wxID_PRINT));
  EXPECT_FALSE(doc->IsModified());
  CExpModelTask task;
  task.TaskIdStr = "tp";
  task.TaskName = "Tapping";
  doc->GetModel().AddTask(task);
  EXPECT_TRUE(doc->IsModified()) << "adding a task marks the model modified";
  EXPECT_TRUE(enabled(manager, wxID_SAVE));
  EXPECT_TRUE(enabled(doc, wxID_SAVEAS));
  program.GetMainFrame()->GetMainView()->RefreshAll();
  EXPECT_TRUE(enabled(doc, wxID_PRINT)) << "a model with tasks can be printed";

  // Saving writes the model file; a new document empties the model.
  const std::string path = m_models.File("Saved.qem");
  ASSERT_TRUE(doc->OnSaveDocument(path));
  EXPECT_FALSE(doc->IsModified());
  CExpModel reread;
  uint32_t format = 0;
  std::string error;
  ASSERT_TRUE(ReadModelFile(path, &reread, &format, &error)) << error;
  EXPECT_EQ(reread.GetTaskCount(), 1);
  EXPECT_EQ(format, CQelDoc::kDocumentFormat);
  doc->Modify(false);
  ASSERT_NE(manager->CreateNewDocument(), nullptr);
  CQelDoc* fresh = CurrentDoc(program);
  EXPECT_EQ(fresh->GetModel().GetTaskCount(), 0);
  EXPECT_EQ(program.GetMainFrame()->GetMainView()->GetDocument(), fresh);
  EXPECT_EQ(program.GetMainFrame()->GetMainView()->GetPage(kPageModels)->GetDocument(), fresh);

  // Frame notifications: an unknown code does nothing.
  EXPECT_EQ(SendNotify(program.GetMainFrame(), 33), 0);
  CloseAndExit(program);
}

TEST_F(ProgramTest, PrintSettingsPersist) {
  CQelSettings store(SettingsPath());
  {
    CPrintSettings settings(&store);
    EXPECT_EQ(settings.FontFace(), "Arial");
    EXPECT_EQ(settings.FontHeight(), -40);
    EXPECT_EQ(settings.Margins().left, 1000);
    EXPECT_EQ(settings.Margins().bottom, 1000);
    EXPECT_EQ(settings.Margins().orientation, 1);
    EXPECT_EQ(settings.BoldFont().GetNumericWeight(), 700);
    EXPECT_EQ(settings.PaperWidth(), 2100);

    wxPageSetupDialogData data;
    data.GetPrintData().SetOrientation(wxLANDSCAPE);
    data.SetPaperSize(wxSize(297, 210));
    data.SetMarginTopLeft(wxPoint(15, 20));
    data.SetMarginBottomRight(wxPoint(25, 30));
    settings.ApplyPageSetup(data);
    settings.ApplyFont(wxFont(wxFontInfo(14).FaceName("DejaVu Sans")));
  }
  CQelSettings reread(SettingsPath());
  CPrintSettings next(&reread);
  EXPECT_EQ(next.Margins().left, 1500);
  EXPECT_EQ(next.Margins().top, 2000);
  EXPECT_EQ(next.Margins().right, 2500);
  EXPECT_EQ(next.Margins().bottom, 3000);
  EXPECT_EQ(next.Margins().orientation, 2);
  EXPECT_EQ(next.FontFace(), "DejaVu Sans");
  EXPECT_EQ(next.FontHeight(), CPrintSettings::HeightFromPoints(14));
  EXPECT_NEAR(CPrintSettings::PointsFromHeight(next.FontHeight()), 14.0, 0.2);
}

TEST_F(ProgramTest, PrintingTheModelGivesAPdfWithItsLines) {
  LinkProgramFiles(true, true);
  const std::string path = WriteModel("Print me.qem", 40);
  PromptRecorder prompts;
  CQelProgram program(Folder(), SettingsPath());
  ASSERT_TRUE(program.InitInstance({"Qel", path}));
  CQelDoc* doc = CurrentDoc(program);
  wxView* view = doc->GetFirstView();
  ASSERT_NE(view, nullptr);
  std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
  ASSERT_NE(printout, nullptr);
  const std::string pdf = m_models.File("model.pdf");
  ASSERT_TRUE(PrintToPdfFile(*printout, pdf, 2100, 2970));
  const std::string text = RunCommand("pdftotext -layout '" + pdf + "' -");
  EXPECT_NE(text.find("Print me"), std::string::npos) << text;
  EXPECT_NE(text.find("Experiment model"), std::string::npos);
  size_t rows = 0;
  for (size_t at = text.find("Tapping Ver.1"); at != std::string::npos; at = text.find("Tapping Ver.1", at + 1)) ++rows;
  EXPECT_EQ(rows, 40u) << text;
  EXPECT_NE(text.find("40 tp"), std::string::npos);
  EXPECT_NE(text.find("Tasks total: 40"), std::string::npos);
  const int pages = static_cast<CReportPrintout*>(printout.get())->PageCount();
  EXPECT_GE(pages, 2) << "40 lines need more than one page";
  EXPECT_NE(text.find("1/" + std::to_string(pages)), std::string::npos);
  EXPECT_NE(text.find(std::to_string(pages) + "/" + std::to_string(pages)), std::string::npos);
  EXPECT_EQ(static_cast<int>(std::count(text.begin(), text.end(), '\f')), pages);

  // A picture handed over for printing prints as a picture, then is forgotten.
  wxBitmap picture(400, 300);
  QelPrintRequest request{&picture, wxRect(0, 0, 400, 300)};
  doc->SetPrintSource(request.picture, request.area);
  std::unique_ptr<wxPrintout> picturePrintout(view->OnCreatePrintout());
  EXPECT_NE(dynamic_cast<CPicturePrintout*>(picturePrintout.get()), nullptr);
  const std::string picturePdf = m_models.File("picture.pdf");
  EXPECT_TRUE(PrintToPdfFile(*picturePrintout, picturePdf, 2100, 2970));
  EXPECT_GT(fs::file_size(picturePdf), 500u);
  doc->SetPrintSource(nullptr, wxRect());
  CloseAndExit(program);
}

TEST_F(ProgramTest, HelpDialogShowsTheRichTexts) {
  PromptRecorder prompts;
  wxFrame owner(nullptr, wxID_ANY, "owner", wxPoint(0, 0), wxSize(1000, 700));
  owner.Show();
  {
    CDlgHelp full(246u, "Main view Help", &owner, 150);
    EXPECT_EQ(full.GetPercent(), 100);
    EXPECT_EQ(full.GetSize(), wxSize(CDlgHelp::kFullWidth, CDlgHelp::kFullHeight));
    EXPECT_EQ(full.GetTitle(), "Main view Help");
    EXPECT_NE(full.GetView()->GetShownText().find("The main window"), std::string::npos);
    EXPECT_EQ(full.GetView()->GetId(), CDlgHelp::kIdText);
    EXPECT_NE(full.FindWindow(wxID_CANCEL), nullptr);
  }
  {
    CDlgHelp small(246u, nullptr, &owner, 10);
    EXPECT_EQ(small.GetPercent(), 20);
    EXPECT_EQ(small.GetSize(), wxSize(CDlgHelp::kFullWidth / 5, CDlgHelp::kFullHeight / 5));
    EXPECT_EQ(small.GetTitle(), "Help") << "without a caption the dialog keeps \"Help\"";
  }
  {
    CDlgHelp missing(9999u, "Nothing", &owner, 100);
    EXPECT_EQ(missing.GetText(), "");
    EXPECT_EQ(missing.GetView()->GetShownText(), "");
    CDlgHelp empty(&owner);
    EXPECT_EQ(empty.GetText(), "{\\rtf1}");
  }
  // Every help and About text of the program reads as text, accents included.
  const QelResourceTable& table = QelModuleResources();
  int texts = 0;
  for (uint32_t i = 0; i < table.count; ++i) {
    const QelResource& r = table.entries[i];
    if (std::string(r.type) != "TEXT") continue;
    const std::string rtf = QelLoadTextResource(&table, r.id);
    if (!IsRtf(rtf)) continue;
    ++texts;
    const std::string html = RtfToHtml(rtf);
    EXPECT_EQ(html.find("\\"), std::string::npos) << "control words leak into text " << r.id;
    EXPECT_GT(html.size(), 60u) << r.id;
  }
  EXPECT_GE(texts, 35);
  EXPECT_NE(RtfToHtml(LoadProgramText(26)).find("geïnstalleerd"), std::string::npos);
  EXPECT_NE(RtfToHtml(LoadProgramText(332)).find("lateralità"), std::string::npos);
}

TEST_F(ProgramTest, AboutBoxPagesFollowTheLanguage) {
  wxFrame owner(nullptr, wxID_ANY, "owner");
  for (int language : {1, 2, 3}) {
    g_Language = language;
    CDlgAbout about(&owner);
    EXPECT_EQ(about.GetTitle(), "About Qel Task Battery");
    EXPECT_EQ(about.GetVersionText(), "Version 4.0");
    EXPECT_EQ(about.GetCfrText(), kCfrMode ? " (21CFR part11)" : "");
    ASSERT_EQ(about.GetTabs()->GetPageCount(), 7u);
    EXPECT_EQ(about.GetTabs()->GetPageText(6), "FrameOfReference");
    const std::string users = about.GetPage(2)->GetShownText();
    if (language == 2) {
      EXPECT_NE(users.find("Gebruikers"), std::string::npos) << users;
    } else {
      EXPECT_NE(users.find("clinicians and researchers"), std::string::npos) << users;
    }
    about.Show();
    Pump(30);
    about.GetTabs()->SetSelection(4);
    Pump(30);
    int shown = 0;
    for (int i = 0; i < 7; ++i) shown += about.GetPage(i)->IsShownOnScreen() ? 1 : 0;
    EXPECT_EQ(shown, 1) << "one page at a time";
    EXPECT_TRUE(about.GetPage(4)->IsShownOnScreen());
  }
}

TEST(ProgramIcons, KindIconsAndLanguages) {
  const wxIcon tapping = LoadKindIcon(35);
  ASSERT_TRUE(tapping.IsOk());
  EXPECT_EQ(tapping.GetWidth(), 32);
  auto pixels = [](const wxIcon& icon) {
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    const wxImage image = bitmap.ConvertToImage();
    return std::string(reinterpret_cast<const char*>(image.GetData()), image.GetWidth() * image.GetHeight() * 3);
  };
  EXPECT_NE(pixels(LoadKindIcon(35)), pixels(LoadKindIcon(36))) << "neighbouring kinds differ";
  EXPECT_EQ(pixels(LoadKindIcon(39)), pixels(LoadKindIcon(1000))) << "unknown kinds share the generic task icon";
  EXPECT_FALSE(DrawNodeIcon(kNodeIconCount, 16).IsOk());
  wxFrame frame(nullptr, wxID_ANY, "languages");
  auto* choice = new wxChoice(&frame, wxID_ANY);
  EXPECT_EQ(FillLanguageCombo(choice), 4);
  EXPECT_EQ(choice->GetString(0), "Default");
  EXPECT_EQ(choice->GetString(3), "Italian");
  EXPECT_EQ(FillLanguageCombo(nullptr), 0);
}

}  // namespace
}  // namespace qel
