// The program's windows around its main window, in a program folder of its
// own with the built plug-ins and help books: its prompt boxes, the help
// book viewer, the model's print preview, and the page and font setup of
// printing (the toolkit's own dialogs).
#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/docview.h>
#include <wx/html/htmlwin.h>
#include <wx/image.h>
#include <wx/print.h>
#include <wx/toplevel.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/ProgramPages.h"
#include "app/ui/PromptBox.h"
#include "app/ui/QelDoc.h"
#include "app/ui/QelProgram.h"
#include "common/Prompt.h"
#include "editors/ModelEditing.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/TaskLibrary.h"
#include "include/qel/Resources.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/MainFrame.h"

namespace qel {

using namespace test;

namespace {

namespace fs = std::filesystem;

// The program's own message boxes in place of a test's recorder, for a while.
class ProgramPromptBoxes {
 public:
  ProgramPromptBoxes() : m_handler(SetPromptHandler(nullptr)), m_poster(SetPromptPoster(nullptr)) {
    InstallPromptBoxes();
  }
  ~ProgramPromptBoxes() {
    SetPromptHandler(m_handler);
    SetPromptPoster(m_poster);
  }

 private:
  PromptHandler m_handler;
  PromptPoster m_poster;
};

TEST(ProgramPrompts, PromptBoxes) {
  ProgramPromptBoxes boxes;
  ExpectDrawn(SnapModal("Qel", "prompt_question",
                        [] {
                          ShowPrompt(ApplyModelQuestion("Attention"), "Qel",
                                     kPromptYesNoCancel | kPromptIconQuestion);
                        }),
              "question box");
  ExpectDrawn(SnapModal("Qel", "prompt_stop",
                        [] { ShowPrompt("Invalid folder selected!", "Qel", kPromptOk | kPromptIconStop); }),
              "stop box");
}

// A program folder: the built plug-ins, the display library and the help
// books linked in, an empty norms file.
class ProgramFolder {
 public:
  ProgramFolder() : m_folder(fs::temp_directory_path() / ("qel-program-gallery-" + std::to_string(::getpid()))) {
    fs::create_directories(m_folder);
    for (const auto& entry : fs::directory_iterator(QEL_OUTPUT_DIR)) {
      const std::string name = entry.path().filename().string();
      if ((name.rfind("Qel", 0) == 0 && entry.path().extension() == ".qet") || name == kDisplayLibraryName ||
          name == "help") {
        fs::create_symlink(entry.path(), m_folder / name);
      }
    }
    std::ofstream(m_folder / "Qel.qen") << "norms";
  }
  ~ProgramFolder() { fs::remove_all(m_folder); }
  std::string Path() const { return m_folder.string() + "/"; }
  std::string Settings() const { return (m_folder / "Qel.conf").string(); }

 private:
  fs::path m_folder;
};

// The top-level window that came since `before` was taken.
wxWindow* NewTopLevel(const std::set<wxWindow*>& before) {
  for (wxWindow* top : wxTopLevelWindows) {
    if (!before.count(top) && top->IsShown()) return top;
  }
  return nullptr;
}

// The help viewer's page: the widest HTML view in it (the contents list is narrower).
wxHtmlWindow* FindPageView(wxWindow* window) {
  wxHtmlWindow* widest = nullptr;
  for (wxWindow* child : window->GetChildren()) {
    wxHtmlWindow* found = wxDynamicCast(child, wxHtmlWindow);
    if (!found) found = FindPageView(child);
    if (found && (!widest || found->GetSize().x > widest->GetSize().x)) widest = found;
  }
  return widest;
}

std::set<wxWindow*> TopLevels() { return {wxTopLevelWindows.begin(), wxTopLevelWindows.end()}; }

class ProgramWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSystemSettings();
    m_program = std::make_unique<CQelProgram>(m_folder.Path(), m_folder.Settings());
    ASSERT_TRUE(m_program->InitInstance({"Qel"}));
    Pump(100);
  }
  void TearDown() override {
    if (!m_program) return;
    if (CQelDoc* doc = Doc()) doc->Modify(false);
    if (CMainFrame* frame = m_program->GetMainFrame()) frame->Close(true);
    Pump(50);
    m_program->ExitInstance();
    m_program.reset();
    Pump(30);
  }

  CQelDoc* Doc() const {
    return wxDynamicCast(m_program->GetDocManager()->GetCurrentDocument(), CQelDoc);
  }

  ProgramFolder m_folder;
  std::unique_ptr<CQelProgram> m_program;
};

TEST_F(ProgramWindows, HelpBookViewer) {
  const std::set<wxWindow*> before = TopLevels();
  {
    // The program says so with a message box when it has no help book.
    ProgramPromptBoxes boxes;
    m_program->ShowHelpContents();
  }
  Pump(300);
  wxWindow* help = NewTopLevel(before);
  ASSERT_NE(help, nullptr) << "the help book did not open";
  help->SetSize(900, 640);
  ExpectDrawn(Snap(help, "help_book"), "help book");
  // The page is shown as a page, not as its HTML source.
  wxHtmlWindow* page = FindPageView(help);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->ToText().Find("<html"), wxNOT_FOUND) << page->ToText().utf8_string();
  EXPECT_NE(page->ToText().Find("The main window"), wxNOT_FOUND) << page->ToText().utf8_string();
  help->Close(true);
  Pump(50);
}

TEST_F(ProgramWindows, PrintPreviewOfAModel) {
  CQelDoc* doc = Doc();
  ASSERT_NE(doc, nullptr);
  CExpModel& model = doc->GetModel();
  model.m_name = "Attention";
  for (const char* code : {"TP", "SAA", "PR", "FL"}) {
    CTaskLibrary* library = FindTaskLibrary(code);
    ASSERT_NE(library, nullptr) << code;
    CExpModelTask task;
    task.SetFromModelTask(library->modelDefault);
    model.AddTask(task);
    BindModelTaskTo(model.GetTask(model.GetTaskCount() - 1), library);
  }
  const std::set<wxWindow*> before = TopLevels();
  wxCommandEvent preview(wxEVT_MENU, wxID_PREVIEW);
  m_program->GetMainFrame()->GetEventHandler()->ProcessEvent(preview);
  Pump(300);
  wxWindow* frame = NewTopLevel(before);
  ASSERT_NE(frame, nullptr) << "the print preview did not open";
  frame->SetSize(900, 700);
  ExpectDrawn(Snap(frame, "print_preview"), "print preview");
  frame->Close(true);
  Pump(50);
  // The report lies at the top of the page as the preview draws it: into a
  // page-sized picture at the screen's scale, the page counted in printer pixels.
  {
    std::unique_ptr<wxPrintout> printout(doc->GetFirstView()->OnCreatePrintout());
    ASSERT_NE(printout, nullptr);
    constexpr int kPrinterPpi = 1200, kScreenPpi = 96, kPageWidth = 9917, kPageHeight = 14017;
    wxBitmap page(kPageWidth * kScreenPpi / kPrinterPpi, kPageHeight * kScreenPpi / kPrinterPpi);
    wxMemoryDC dc(page);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    printout->SetDC(&dc);
    printout->SetPPIScreen(kScreenPpi, kScreenPpi);
    printout->SetPPIPrinter(kPrinterPpi, kPrinterPpi);
    printout->SetPageSizePixels(kPageWidth, kPageHeight);
    printout->OnPreparePrinting();
    ASSERT_TRUE(printout->OnPrintPage(1));
    dc.SelectObject(wxNullBitmap);
    const wxImage image = page.ConvertToImage();
    int topInk = 0, lowerInk = 0;
    for (int y = 0; y < image.GetHeight(); ++y) {
      for (int x = 0; x < image.GetWidth(); ++x) {
        if (image.GetRed(x, y) > 128) continue;
        (y < image.GetHeight() / 4 ? topInk : lowerInk) += 1;
      }
    }
    EXPECT_GT(topInk, 200) << "the title, the date and the tasks are not at the top";
    EXPECT_EQ(lowerInk, 0);
  }
  // Closing the changed model asks whether to save it (the answer here: Cancel).
  doc->Modify(true);
  ExpectDrawn(SnapModal("", "prompt_save_model", [doc] { doc->Close(); }), "save question");
}

TEST_F(ProgramWindows, PageAndFontSetup) {
  CQelDoc* doc = Doc();
  ASSERT_NE(doc, nullptr);
  wxWindow* frame = m_program->GetMainFrame();
  ExpectDrawn(SnapModal("", "print_page_setup", [&] { doc->PrintSettings().PageSetup(frame); }), "page setup");
  ExpectDrawn(SnapModal("", "print_font_setup", [&] { doc->PrintSettings().FontSetup(frame); }), "font setup");
}

// The toolkit's file and folder choosers as the program opens them for a
// model file and for the Projects page's working folder.
TEST_F(ProgramWindows, ModelFileAndFolderChoosers) {
  CQelDoc* doc = Doc();
  ASSERT_NE(doc, nullptr);
  doc->GetModel().m_name = "Attention";
  ExpectDrawn(SnapModal("Open Qel model", "file_open_model", [&] { doc->OpenModelFile(); }), "open model");
  ExpectDrawn(SnapModal("Save Qel model", "file_save_model", [&] { doc->SaveModelFileAs(); }), "save model");
  CProgramProjectsPage projects;
  std::string folder = fs::temp_directory_path().string();
  ExpectDrawn(SnapModal("Select working folder", "folder_choose",
                        [&] { projects.BrowseFolder(m_program->GetMainFrame(), "Select working folder", &folder); }),
              "folder chooser");
}

}  // namespace

}  // namespace qel
